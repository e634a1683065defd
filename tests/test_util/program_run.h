// Test helper for end-to-end runs: the built program, copied under a given
// name into a fresh temporary work folder and run there as a user would
// start it, with piped answers and extra environment variables. Standard
// output and standard error land, in order, in one transcript; a run that
// outlives its time limit is killed, so a hang fails the test instead of
// blocking it.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_PROGRAM_RUN_H_
#define TEXTPAIR_TESTS_TEST_UTIL_PROGRAM_RUN_H_

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace textpair::testing {

// Changes to the program's environment: a value sets the variable, none
// removes it; everything else is inherited from the test.
using EnvChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

struct RunResult {
  std::string transcript;  // standard output and standard error, in order
  int exit_status = -1;    // 128 + signal when killed by one; -1 on timeout
  bool timed_out = false;
};

// Runs the program at args[0] (a full path) with the arguments in `folder`,
// `input` as its standard input, and waits for it at most `time_limit`,
// then kills it and everything it started.
RunResult run_process(const std::vector<std::string>& args, const std::string& folder, const std::string& input,
                      const EnvChanges& env = {}, std::chrono::milliseconds time_limit = std::chrono::seconds(60));

class ProgramRun {
 public:
  // Makes the work folder and copies the program (or another build of it,
  // `executable`) into it as `program_name` (for example
  // "www.example.com.exe").
  explicit ProgramRun(const std::string& program_name, const std::string& executable = TEXTPAIR_EXE);
  // Removes the work folder.
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  const std::string& folder() const { return folder_; }
  // Full path of the program copy, the program's argument zero.
  const std::string& program() const { return program_; }

  // Files relative to the work folder, "/" between folders; folders on the
  // way are made.
  void write_file(const std::string& relative, const std::string& bytes) const;
  std::string read_file(const std::string& relative) const;
  bool exists(const std::string& relative) const;

  // Starts the program in the work folder with `input` as its standard
  // input (which then ends) and waits for it.
  RunResult run(const std::string& input, const EnvChanges& env = {},
                std::chrono::milliseconds time_limit = std::chrono::seconds(60)) const;

  // The transcript with its varying parts masked: the work folder's path
  // becomes "<WORK>" and wget's date and time "<TIME>".
  std::string normalise(const std::string& transcript) const;

 private:
  std::string folder_;
  std::string program_;
};

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_PROGRAM_RUN_H_
