// Placeholder until the interpreter lands.
#include "commands/run_command.h"

namespace textpair {

void run_command(Console& console, const std::string& line) {
  (void)console;
  (void)line;
}

}  // namespace textpair
