#include "test_util/piped_console.h"

#include <unistd.h>

#include <cstdlib>

namespace textpair::testing {

PipedConsole::PipedConsole(const std::string& input) {
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  // The pipe's buffer (64 KiB) holds any answers a test types.
  std::size_t done = 0;
  while (done < input.size()) {
    ssize_t n = ::write(fds[1], input.data() + done, input.size() - done);
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
  ::close(fds[1]);
  in_fd_ = fds[0];
  out_ = std::tmpfile();
  if (out_ == nullptr) std::abort();
  console_ = std::make_unique<Console>(in_fd_, fileno(out_), fileno(out_));
}

PipedConsole::~PipedConsole() {
  console_.reset();
  ::close(in_fd_);
  std::fclose(out_);
}

std::string PipedConsole::output() const {
  std::string text;
  char buf[4096];
  off_t at = 0;
  for (;;) {
    ssize_t n = ::pread(fileno(out_), buf, sizeof buf, at);
    if (n <= 0) break;
    text.append(buf, static_cast<std::size_t>(n));
    at += n;
  }
  return text;
}

}  // namespace textpair::testing
