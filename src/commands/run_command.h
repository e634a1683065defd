// Runs one command line of the Windows command interpreter's kind in the
// work folder and waits for it. The program's own interpreter
// (interpreter.h) carries it out on every platform, so no file name can
// ever become a command and every run leaves the same files. The exit
// status is never looked at: callers judge a command by the files it
// leaves. A file the command could not write completely is noted in
// `writes`, and the interpreter has already said so on the console.
#ifndef TEXTPAIR_COMMANDS_RUN_COMMAND_H_
#define TEXTPAIR_COMMANDS_RUN_COMMAND_H_

#include <string>

#include "common/io_failures.h"

namespace textpair {

class Console;

void run_command(Console& console, IoFailures& failures, const std::string& line);

}  // namespace textpair

#endif  // TEXTPAIR_COMMANDS_RUN_COMMAND_H_
