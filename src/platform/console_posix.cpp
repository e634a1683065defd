// Placeholder until the terminal handling lands.
#include "platform/console.h"

#include <poll.h>
#include <unistd.h>

namespace textpair {

Console::Console(int in_fd, int out_fd, int err_fd) : in_fd_(in_fd), out_fd_(out_fd), err_fd_(err_fd) {}
Console::~Console() = default;

namespace {
void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}
}  // namespace

void Console::write(std::string_view bytes) { write_all(out_fd_, bytes); }
void Console::write_line(std::string_view line) { write(std::string(line) + "\n"); }
void Console::write_error(std::string_view bytes) { write_all(err_fd_, bytes); }

bool Console::read_more(int) {
  char buf[256];
  ssize_t n = ::read(in_fd_, buf, sizeof buf);
  if (n <= 0) {
    eof_ = true;
    return false;
  }
  pending_.append(buf, static_cast<std::size_t>(n));
  return true;
}

Console::Key Console::poll_key(std::string& key) { return wait_key(key); }

Console::Key Console::wait_key(std::string& key) {
  if (pending_.empty() && !read_more(-1)) return Key::kEof;
  key = pending_.substr(0, 1);
  pending_.erase(0, 1);
  return Key::kKey;
}

bool Console::read_line(std::string& line) {
  line.clear();
  for (;;) {
    std::size_t nl = pending_.find('\n');
    if (nl != std::string::npos) {
      line = pending_.substr(0, nl);
      pending_.erase(0, nl + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      write_line(line);
      return true;
    }
    if (!read_more(-1)) {
      line = pending_;
      pending_.clear();
      write_line(line);
      return !line.empty();
    }
  }
}

bool Console::enter_raw() { return false; }
void Console::leave_raw() {}

}  // namespace textpair
