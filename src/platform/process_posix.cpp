#include "platform/process.h"

#include <sys/wait.h>
#include <unistd.h>

namespace textpair {

std::string invocation_name(int argc, char** argv) { return argc > 0 && argv[0] != nullptr ? argv[0] : ""; }

int run_program(const std::vector<std::string>& argv) {
  if (argv.empty()) return -1;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace textpair
