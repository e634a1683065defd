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

#include "test_util/http_server.h"
#include "test_util/tmux_session.h"
#include "test_util/work_folder.h"

namespace fs = std::filesystem;

namespace textpair::testing {
namespace {

constexpr const char* kProgram = "www.textpair-terminal.example.exe";
constexpr const char* kDashes = "----------------------------";
constexpr const char* kResults = "============ RESULTS ===========";

class TerminalTest : public WorkFolderTest {
 protected:
  void SetUp() override {
    if (!tmux_available()) GTEST_SKIP() << "tmux is not installed (scripts/setup.sh installs it)";
    fs::copy_file(TEXTPAIR_EXE, kProgram);
    fs::permissions(kProgram, fs::perms::owner_all);
  }

  // The ads page server's environment as tmux takes it ("NAME=value"); a
  // variable to remove is set empty instead.
  static std::vector<std::string> tmux_environment(const EnvChanges& changes) {
    std::vector<std::string> out;
    for (const auto& [name, value] : changes) out.push_back(name + "=" + value.value_or(""));
    return out;
  }

  // Starts the program from a shell in tmux. The shell keeps the terminal's
  // mode before and after the run in files (in a subfolder, out of reach of
  // the run's clean-up), and says when the run is over.
  void start(const std::vector<std::string>& environment = {}) {
    std::string script = std::string("mkdir tty; stty -a > tty/before.txt; trap : INT; ./") + kProgram +
                         "; echo \"exit status $?\"; stty -a > tty/after.tmp; mv tty/after.tmp tty/after.txt;"
                         " echo RUN-OVER; sleep 600";
    session_ = std::make_unique<TmuxSession>(folder_.path(), script, 100, 40, environment);
    ASSERT_TRUE(session_->started());
    session_->give_up_on("RUN-OVER");
  }

  // Waits for the run to end and checks that the terminal is as it was.
  void expect_terminal_restored() {
    ASSERT_TRUE(session_->wait_for("RUN-OVER")) << session_->history();
    std::string before = read_file("tty/before.txt");
    std::string after = read_file("tty/after.txt");
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
  session_->send_keys(
      {"3", "0", "9", "Enter", "Up", "Down", "Left", "Right", "Home", "End", "F5", "F9", "F10", "PageUp", "Delete"});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(session_->screen(), before);

  // The next "1" is taken as it comes, and the menu was written once: the
  // install screen follows it directly.
  session_->send_keys({"1"});
  std::string font_to_install =
      std::string("<1> continue\n<2> end\n\n") + kDashes + "\nTHE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.";
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

TEST_F(TerminalTest, LinePromptsEchoAndACompleteRunLeavesTheTerminalNormal) {
  HttpServer ads("/oglasi/oglasi.htm", "<html><body>\n<p>An advertisement</p>\n</body></html>\n");
  make_dir("compare_in");
  write_file("compare_in/left.txt", "The left text has these words.\r\n");
  write_file("compare_in/right.txt", "The right text has other words.\r\n");
  start(tmux_environment(ads.proxy_env()));
  ASSERT_TRUE(session_->wait_for("<2> no, end")) << session_->history();
  session_->send_keys({"1"});
  ASSERT_TRUE(session_->wait_for("<1> continue\n<2> end")) << session_->history();
  session_->send_keys({"1"});
  ASSERT_TRUE(session_->wait_for("THE PROGRAM MUST BE INSTALLED")) << session_->history();
  session_->send_keys({"1"});

  // The typed number shows after the prompt before Enter is pressed.
  ASSERT_TRUE(session_->wait_for("select file with line number = ?", std::chrono::seconds(60))) << session_->history();
  session_->type("1");
  ASSERT_TRUE(session_->wait_for("select file with line number = ? 1")) << session_->history();
  session_->send_keys({"Enter"});
  ASSERT_TRUE(session_->wait_for("-- select 2. file for compare --")) << session_->history();
  session_->type("2");
  session_->send_keys({"Enter"});
  ASSERT_TRUE(session_->wait_for("<enter> = 100 :?")) << session_->history();
  session_->type("80");
  ASSERT_TRUE(session_->wait_for("<enter> = 100 :? 80")) << session_->history();
  session_->send_keys({"Enter"});
  ASSERT_TRUE(session_->wait_for(") =?")) << session_->history();
  session_->type("www.search.example");
  ASSERT_TRUE(session_->wait_for(") =? www.search.example")) << session_->history();
  session_->send_keys({"Enter"});

  ASSERT_TRUE(session_->wait_for("<...> any key to continue and end", std::chrono::seconds(120)))
      << session_->history();
  EXPECT_NE(session_->history().find(kResults), std::string::npos) << session_->history();
  session_->send_keys({"Down"});  // a cursor key is a key too
  expect_terminal_restored();
  EXPECT_NE(session_->history().find("exit status 0"), std::string::npos) << session_->history();
  EXPECT_TRUE(fs::exists("htm_out/page_01.htm"));
}

}  // namespace
}  // namespace textpair::testing
