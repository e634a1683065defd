// Fixture for the interpreter's tests: a work folder and a console whose
// standard output and error streams are captured in files outside it.
#ifndef TEXTPAIR_TESTS_COMMANDS_COMMAND_FIXTURE_H_
#define TEXTPAIR_TESTS_COMMANDS_COMMAND_FIXTURE_H_

#include <unistd.h>

#include <cstdio>
#include <string>

#include "commands/run_command.h"
#include "platform/console.h"
#include "test_util/work_folder.h"

namespace textpair::testing {

class CommandTest : public WorkFolderTest {
 protected:
  CommandTest()
      : in_(std::tmpfile()), out_(std::tmpfile()), err_(std::tmpfile()),
        console_(fileno(in_), fileno(out_), fileno(err_)) {}
  ~CommandTest() override {
    std::fclose(in_);
    std::fclose(out_);
    std::fclose(err_);
  }

  // Runs one line; returns what it wrote on standard output. What it wrote
  // on standard error is in errors_.
  std::string run(const std::string& line) {
    reset(out_);
    reset(err_);
    run_command(console_, line);
    errors_ = take(err_);
    return take(out_);
  }

  std::string errors_;

 private:
  static void reset(std::FILE* f) {
    if (ftruncate(fileno(f), 0) != 0) std::abort();
    lseek(fileno(f), 0, SEEK_SET);
  }
  static std::string take(std::FILE* f) {
    std::string bytes;
    char buf[4096];
    lseek(fileno(f), 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fileno(f), buf, sizeof buf)) > 0;) bytes.append(buf, static_cast<std::size_t>(n));
    return bytes;
  }

  std::FILE* in_;
  std::FILE* out_;
  std::FILE* err_;

 protected:
  Console console_;
};

// Joins lines with LF after each, the way the console ends them.
inline std::string lf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_COMMANDS_COMMAND_FIXTURE_H_
