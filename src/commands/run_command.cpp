#include "commands/run_command.h"

namespace textpair {

void run_command(Context& ctx, const std::string& line) {
  if (!run_command(ctx.console, line)) ctx.state.write_failed = true;
}

}  // namespace textpair
