#include "commands/output.h"

#include "platform/console.h"

namespace textpair {

void ConsoleOutput::line(std::string_view text) { console_.write_line(text); }

void complain(Console& console, std::string_view text) {
  std::string line(text);
  line += '\n';
  console.write_error(line);
}

}  // namespace textpair
