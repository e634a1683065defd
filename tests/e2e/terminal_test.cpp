// The program in a real terminal (tmux): keys answer without Enter, keys that
// are no answer leave the screen as it is, and the terminal is back in its
// normal mode however the run ends.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "test_util/tmux_session.h"
#include "test_util/work_folder.h"

namespace fs = std::filesystem;

namespace textpair::testing {
namespace {

constexpr const char* kProgram = "www.textpair-terminal.example.exe";
constexpr const char* kDashes = "----------------------------";

class TerminalTest : public WorkFolderTest {
 protected:
  void SetUp() override {
    if (!tmux_available()) GTEST_SKIP() << "tmux is not installed (scripts/setup.sh installs it)";
    fs::copy_file(TEXTPAIR_EXE, kProgram);
    fs::permissions(kProgram, fs::perms::owner_all);
  }

  // Starts the program from a shell in tmux. The shell keeps the terminal's
  // mode before and after the run in files, and says when the run is over.
  void start(const std::vector<std::string>& environment = {}) {
    std::string script = std::string("stty -a > stty_before.txt; trap : INT; ./") + kProgram +
                         "; echo \"exit status $?\"; stty -a > stty_after.tmp; mv stty_after.tmp stty_after.txt;"
                         " echo RUN-OVER; sleep 600";
    session_ = std::make_unique<TmuxSession>(folder_.path(), script, 100, 40, environment);
    ASSERT_TRUE(session_->started());
    session_->give_up_on("RUN-OVER");
  }

  // Waits for the run to end and checks that the terminal is as it was.
  void expect_terminal_restored() {
    ASSERT_TRUE(session_->wait_for("RUN-OVER")) << session_->history();
    std::string before = read_file("stty_before.txt");
    std::string after = read_file("stty_after.txt");
    EXPECT_EQ(after, before);
    std::vector<std::string> settings;
    std::istringstream words(after);
    for (std::string w; words >> w;) {
      if (!w.empty() && w.back() == ';') w.pop_back();
      settings.push_back(w);
    }
    for (const char* expected : {"icanon", "echo", "isig"}) {
      EXPECT_NE(std::find(settings.begin(), settings.end(), expected), settings.end()) << expected << "\n" << after;
    }
  }

  std::unique_ptr<TmuxSession> session_;
};

TEST_F(TerminalTest, KeysAnswerWithoutEnterAndOtherKeysChangeNothing) {
  start();
  ASSERT_TRUE(session_->wait_for("<2> no, end")) << session_->history();
  session_->send_keys({"1"});  // no Enter
  ASSERT_TRUE(session_->wait_for("<1> continue\n<2> end")) << session_->history();

  // Other digits, Enter, cursor and function keys (whose sequences hold the
  // digits 1 and 2) are no answer: nothing shows, nothing moves on.
  std::string before = session_->screen();
  session_->send_keys({"3", "0", "9", "Enter", "Up", "Down", "Left", "Right", "Home", "End", "F5", "F9", "F10",
                       "PageUp", "Delete"});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(session_->screen(), before);

  // The next "1" is taken as it comes, and the menu was written once: the
  // install screen follows it directly.
  session_->send_keys({"1"});
  std::string font_to_install = std::string("<1> continue\n<2> end\n\n") + kDashes +
                                "\nTHE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.";
  ASSERT_TRUE(session_->wait_for(font_to_install)) << session_->history();
  session_->send_keys({"2"});
  expect_terminal_restored();
  EXPECT_NE(session_->history().find("exit status 0"), std::string::npos) << session_->history();
}

TEST_F(TerminalTest, CtrlCAtAPromptLeavesTheTerminalNormal) {
  start();
  ASSERT_TRUE(session_->wait_for("<2> no, end")) << session_->history();
  session_->send_keys({"C-c"});
  expect_terminal_restored();
}

}  // namespace
}  // namespace textpair::testing
