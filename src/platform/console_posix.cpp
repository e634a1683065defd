#include "platform/console.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/console_keys.h"

namespace textpair {

namespace {

// The terminal's mode as found, so that it can be put back from a signal
// handler or at exit as well as by the console itself. Only one console
// owns the terminal at a time.
struct TerminalMode {
  int fd = -1;
  struct termios saved {};
  volatile sig_atomic_t raw = 0;
  bool handlers_installed = false;
};
TerminalMode g_terminal;

void restore_terminal() {
  if (g_terminal.raw) {
    tcsetattr(g_terminal.fd, TCSANOW, &g_terminal.saved);
    g_terminal.raw = 0;
  }
}

bool enter_raw() {
  if (g_terminal.raw) return true;
  struct termios raw = g_terminal.saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(g_terminal.fd, TCSANOW, &raw) != 0) return false;
  g_terminal.raw = 1;
  return true;
}

void install_handlers();

// Ctrl-C, a hang-up or a kill: the terminal gets its mode back, then the
// signal does what it would have done.
void on_fatal_signal(int sig) {
  restore_terminal();
  signal(sig, SIG_DFL);
  raise(sig);
}

// Ctrl-Z: give the terminal back while stopped, take it again on resume.
void on_stop_signal(int sig) {
  int saved_errno = errno;
  bool was_raw = g_terminal.raw != 0;
  restore_terminal();
  signal(sig, SIG_DFL);
  sigset_t unblock;
  sigemptyset(&unblock);
  sigaddset(&unblock, sig);
  sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
  raise(sig);
  // Resumed.
  install_handlers();
  if (was_raw) enter_raw();
  errno = saved_errno;
}

void install_handlers() {
  struct sigaction fatal {};
  fatal.sa_handler = on_fatal_signal;
  sigemptyset(&fatal.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaction(sig, &fatal, nullptr);
  struct sigaction stop {};
  stop.sa_handler = on_stop_signal;
  sigemptyset(&stop.sa_mask);
  sigaction(SIGTSTP, &stop, nullptr);
}

void write_all(std::intptr_t handle, std::string_view bytes) {
  const int fd = static_cast<int>(handle);
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

// Bytes of a UTF-8 character from its first byte (1 for anything else).
// How long the rest of a key's byte sequence may take to arrive.
constexpr int kSequenceWaitMs = 30;

}  // namespace

std::unique_ptr<Console> open_standard_console() {
  return std::unique_ptr<Console>(new Console(STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO, false));
}

std::unique_ptr<Console> open_console(const std::string& input, const std::string& output, const std::string& errors) {
  int in = open(input.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  int out = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (in < 0 || out < 0 || err < 0) {
    for (int fd : {in, out, err}) {
      if (fd >= 0) close(fd);
    }
    return nullptr;
  }
  return std::unique_ptr<Console>(new Console(in, out, err, true));
}

Console::Console(std::intptr_t in, std::intptr_t out, std::intptr_t err, bool owned)
    : in_(in), out_(out), err_(err), owned_(owned) {
  const int in_fd = static_cast<int>(in_);
  in_tty_ = isatty(in_fd) != 0 && g_terminal.fd < 0 && tcgetattr(in_fd, &g_terminal.saved) == 0;
  if (in_tty_) {
    g_terminal.fd = in_fd;
    if (!g_terminal.handlers_installed) {
      g_terminal.handlers_installed = true;
      install_handlers();
      std::atexit(restore_terminal);
    }
  }
}

Console::~Console() {
  if (in_tty_) {
    restore_terminal();
    g_terminal.fd = -1;
  }
  if (owned_) {
    for (std::intptr_t fd : {in_, out_, err_}) close(static_cast<int>(fd));
  }
}

void Console::write(std::string_view bytes) { write_all(out_, bytes); }

void Console::write_error(std::string_view bytes) { write_all(err_, bytes); }

bool Console::read_more(int timeout_ms) {
  if (eof_) return false;
  struct pollfd p {
    static_cast<int>(in_), POLLIN, 0
  };
  int ready = ::poll(&p, 1, timeout_ms);
  if (ready < 0) {
    if (errno != EINTR) eof_ = true;
    return false;
  }
  if (ready == 0) return false;
  char buf[256];
  ssize_t n = ::read(static_cast<int>(in_), buf, sizeof buf);
  if (n < 0) {
    if (errno != EINTR && errno != EAGAIN) eof_ = true;
    return false;
  }
  if (n == 0) {
    eof_ = true;
    return false;
  }
  pending_.append(buf, static_cast<std::size_t>(n));
  return true;
}

bool Console::take_key(std::string& key) {
  if (pending_.empty()) return false;
  std::size_t length = 1;
  if (in_tty_) {
    bool complete = false;
    length = key_length(pending_, complete);
    while (!complete && read_more(kSequenceWaitMs)) length = key_length(pending_, complete);
  }
  key = pending_.substr(0, length);
  pending_.erase(0, length);
  return true;
}

void Console::enter_raw_mode() { enter_raw(); }

bool Console::read_terminal_line(std::string& line) {
  // Keys pressed at an earlier key prompt were never shown; they are not
  // part of the line the user now types with echo.
  restore_terminal();
  pending_.clear();
  bool ended_by_lf = false;
  bool got = take_line(line, ended_by_lf);
  // The terminal has echoed the line and its Enter; the cursor always ends
  // on a new line.
  if (!ended_by_lf) empty_line();
  return got;
}

}  // namespace textpair
