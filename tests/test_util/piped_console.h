// Test helper: a Console whose keyboard is a pipe holding given bytes (at
// most 64 KiB; input ends after them) and whose output and error streams
// go, in order, into one temporary file that output() reads back.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_PIPED_CONSOLE_H_
#define TEXTPAIR_TESTS_TEST_UTIL_PIPED_CONSOLE_H_

#include <cstdio>
#include <memory>
#include <string>

#include "platform/console.h"

namespace textpair::testing {

class PipedConsole {
 public:
  explicit PipedConsole(const std::string& input = "");
  ~PipedConsole();
  PipedConsole(const PipedConsole&) = delete;
  PipedConsole& operator=(const PipedConsole&) = delete;

  Console& console() { return *console_; }
  operator Console&() { return *console_; }
  // Everything written so far.
  std::string output() const;

 private:
  int in_fd_ = -1;
  std::FILE* out_ = nullptr;
  std::unique_ptr<Console> console_;
};

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_PIPED_CONSOLE_H_
