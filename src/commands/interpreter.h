// Carries out a parsed command line the way the command interpreter does:
// the for loop over a set, the pipe, the redirections of standard output
// (every target is created or opened, the output goes to the last), and
// the commands themselves. Nothing is echoed; no shell is started; the only
// outside program ever run is wget. Unknown command names get the
// interpreter's complaint and do nothing.
#ifndef TEXTPAIR_COMMANDS_INTERPRETER_H_
#define TEXTPAIR_COMMANDS_INTERPRETER_H_

#include "commands/command_line.h"
#include "common/io_failures.h"

namespace textpair {

class Console;

// A file the line could not write completely is noted in `writes` (and
// the interpreter's complaint shown on the console).
void execute(Console& console, IoFailures& failures, const CommandLine& line);

}  // namespace textpair

#endif  // TEXTPAIR_COMMANDS_INTERPRETER_H_
