// Fixture for the interpreter's tests: a work folder and a console whose
// standard output and error streams are captured in files outside it.
#ifndef TEXTPAIR_TESTS_COMMANDS_COMMAND_FIXTURE_H_
#define TEXTPAIR_TESTS_COMMANDS_COMMAND_FIXTURE_H_

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "commands/run_command.h"
#include "platform/console.h"
#include "test_util/work_folder.h"

namespace textpair::testing {

class CommandTest : public WorkFolderTest {
 protected:
  CommandTest()
      : in_(unused_temp_path("textpair_in_")),
        out_(unused_temp_path("textpair_out_")),
        err_(unused_temp_path("textpair_err_")),
        console_holder_(open_files(in_, out_, err_)),
        console_(*console_holder_) {}
  ~CommandTest() override {
    console_holder_.reset();
    for (const std::string* f : {&in_, &out_, &err_}) std::remove(f->c_str());
  }

  // Runs one line; returns what it wrote on standard output. What it wrote
  // on standard error is in errors_.
  std::string run(const std::string& line) {
    reset(out_);
    reset(err_);
    IoFailures failures;
    run_command(console_, failures, line);
    errors_ = read_file(err_);
    return read_file(out_);
  }

  std::string errors_;

 private:
  static std::unique_ptr<Console> open_files(const std::string& in, const std::string& out, const std::string& err) {
    for (const std::string* f : {&in, &out, &err}) write_file(*f, "");
    std::unique_ptr<Console> console = open_console(in, out, err);
    if (console == nullptr) std::abort();
    return console;
  }
  // The streams append, so an emptied file is written from its start again.
  static void reset(const std::string& path) { std::filesystem::resize_file(path, 0); }

  std::string in_, out_, err_;
  std::unique_ptr<Console> console_holder_;

 protected:
  Console& console_;
};

// Joins lines with LF after each, the way the console ends them.
inline std::string lf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_COMMANDS_COMMAND_FIXTURE_H_
