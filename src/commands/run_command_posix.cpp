#include "commands/interpreter.h"
#include "commands/run_command.h"

namespace textpair {

void run_command(Console& console, const std::string& line) { execute(console, parse_command_line(line)); }

}  // namespace textpair
