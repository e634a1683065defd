// Test helper: a Console whose keyboard holds given bytes (input ends after
// them) and whose output and error streams go, in order, into one temporary
// file that output() reads back.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_PIPED_CONSOLE_H_
#define TEXTPAIR_TESTS_TEST_UTIL_PIPED_CONSOLE_H_

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
  std::string in_path_, out_path_;
  std::unique_ptr<Console> console_;
};

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_PIPED_CONSOLE_H_
