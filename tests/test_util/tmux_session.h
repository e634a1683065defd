// Test helper: runs a shell command line in a detached tmux session of fixed
// size, on a private tmux server, so a test can type keys into a real
// terminal and read back what the screen shows.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_TMUX_SESSION_H_
#define TEXTPAIR_TESTS_TEST_UTIL_TMUX_SESSION_H_

#include <chrono>
#include <string>
#include <vector>

namespace textpair::testing {

// True when a tmux binary can be run.
bool tmux_available();

// Quotes a string for /bin/sh.
std::string shell_quote(const std::string& text);

class TmuxSession {
 public:
  // Starts `command` (run by /bin/sh) in `folder`, in a window of the given
  // size, with the extra environment variables ("NAME=value").
  TmuxSession(const std::string& folder, const std::string& command, int width, int height,
              const std::vector<std::string>& environment = {});
  ~TmuxSession();  // stops the private server and everything in it
  TmuxSession(const TmuxSession&) = delete;
  TmuxSession& operator=(const TmuxSession&) = delete;

  bool started() const { return started_; }
  // Key names as tmux knows them ("1", "Up", "F5", "Enter", "C-c").
  void send_keys(const std::vector<std::string>& keys);
  // Text typed as it stands.
  void type(const std::string& text);
  // The visible screen, lines joined with "\n", trailing blanks dropped.
  std::string screen();
  // Everything the pane has shown, its history included.
  std::string history();
  // Polls the history until it contains `text`; false at the deadline, or
  // as soon as the history shows the give-up text without `text`.
  bool wait_for(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(15));
  void give_up_on(const std::string& text) { give_up_ = text; }

 private:
  std::string tmux(const std::string& args);
  std::string socket_;
  std::string give_up_;
  bool started_ = false;
};

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_TMUX_SESSION_H_
