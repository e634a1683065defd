#include "test_util/tmux_session.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace textpair::testing {

namespace {

// Runs a shell command line and returns its standard output.
std::string capture(const std::string& command, int* status = nullptr) {
  std::string out;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  int rc = ::pclose(pipe);
  if (status != nullptr) *status = rc;
  return out;
}

}  // namespace

bool tmux_available() {
  int status = -1;
  capture("tmux -V >/dev/null 2>&1", &status);
  return status == 0;
}

std::string shell_quote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

TmuxSession::TmuxSession(const std::string& folder, const std::string& command, int width, int height,
                         const std::vector<std::string>& environment) {
  socket_ = (fs::path(folder) / ".tmux.sock").string();
  std::string args = std::string("new-session -d -s t -x ").append(std::to_string(width)) + " -y " +
                     std::to_string(height) + " -c " + shell_quote(folder);
  for (const std::string& e : environment) args.append(" -e ").append(shell_quote(e));
  args.append(" ").append(shell_quote(command));
  int status = -1;
  capture("unset TMUX; tmux -S " + shell_quote(socket_) + " -f /dev/null " + args + " 2>&1", &status);
  started_ = status == 0;
}

TmuxSession::~TmuxSession() { tmux("kill-server"); }

std::string TmuxSession::tmux(const std::string& args) {
  return capture("tmux -S " + shell_quote(socket_) + " " + args + " 2>/dev/null");
}

void TmuxSession::send_keys(const std::vector<std::string>& keys) {
  std::string args = "send-keys -t t";
  for (const std::string& k : keys) args.append(" ").append(shell_quote(k));
  tmux(args);
}

void TmuxSession::type(const std::string& text) { tmux("send-keys -t t -l " + shell_quote(text)); }

namespace {
std::string drop_trailing_blanks(const std::string& text) {
  std::string out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t nl = text.find('\n', start);
    std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line;
    if (nl == std::string::npos) break;
    out += '\n';
    start = nl + 1;
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}
}  // namespace

std::string TmuxSession::screen() { return drop_trailing_blanks(tmux("capture-pane -p -t t")); }

std::string TmuxSession::history() { return drop_trailing_blanks(tmux("capture-pane -p -J -S - -t t")); }

bool TmuxSession::wait_for(const std::string& text, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    std::string shown = history();
    if (shown.find(text) != std::string::npos) return true;
    if (!give_up_.empty() && text != give_up_ && shown.find(give_up_) != std::string::npos) return false;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace textpair::testing
