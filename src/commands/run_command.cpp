#include "commands/run_command.h"

#include "commands/interpreter.h"

namespace textpair {

bool run_command(Console& console, const std::string& line) { return execute(console, parse_command_line(line)); }

void run_command(Context& ctx, const std::string& line) {
  if (!run_command(ctx.console, line)) ctx.state.write_failed = true;
}

}  // namespace textpair
