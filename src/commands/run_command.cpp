#include "commands/run_command.h"

#include "commands/interpreter.h"

namespace textpair {

void run_command(Console& console, WriteFailures& writes, const std::string& line) {
  execute(console, writes, parse_command_line(line));
}

}  // namespace textpair
