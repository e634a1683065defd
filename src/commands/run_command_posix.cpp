#include "commands/interpreter.h"
#include "commands/run_command.h"

namespace textpair {

bool run_command(Console& console, const std::string& line) { return execute(console, parse_command_line(line)); }

}  // namespace textpair
