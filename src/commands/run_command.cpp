#include "commands/run_command.h"

#include "commands/interpreter.h"

namespace textpair {

void run_command(Console& console, IoFailures& failures, const std::string& line) {
  execute(console, failures, parse_command_line(line));
}

}  // namespace textpair
