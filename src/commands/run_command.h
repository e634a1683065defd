// Runs one command line of the Windows command interpreter's kind in the
// work folder and waits for it. The line is carried out by the program's own
// interpreter (interpreter.h) on every platform, so no file name can ever
// become a command and every run leaves the same files. The exit status is never looked at: callers judge a command by
// the files it leaves, and by whether it could write them completely.
#ifndef TEXTPAIR_COMMANDS_RUN_COMMAND_H_
#define TEXTPAIR_COMMANDS_RUN_COMMAND_H_

#include <string>

#include "common/run_state.h"

namespace textpair {

class Console;

// False when a file the command wrote could not be written completely
// (disk full); the interpreter has already said so on the console.
bool run_command(Console& console, const std::string& line);

// The same, noting such a failure in the run's state.
void run_command(Context& ctx, const std::string& line);

}  // namespace textpair

#endif  // TEXTPAIR_COMMANDS_RUN_COMMAND_H_
