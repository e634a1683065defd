// Runs one command line of the Windows command interpreter's kind in the
// work folder and waits for it. On POSIX the line is carried out by the
// program's own interpreter (interpreter.h); a Windows build hands it to the
// real one. The exit status is never looked at: callers judge a command by
// the files it leaves.
#ifndef TEXTPAIR_COMMANDS_RUN_COMMAND_H_
#define TEXTPAIR_COMMANDS_RUN_COMMAND_H_

#include <string>

namespace textpair {

class Console;

void run_command(Console& console, const std::string& line);

}  // namespace textpair

#endif  // TEXTPAIR_COMMANDS_RUN_COMMAND_H_
