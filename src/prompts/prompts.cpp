#include "prompts/prompts.h"

#include "common/bytes.h"
#include "platform/console.h"

namespace textpair {

char key_prompt(Console& console, const std::vector<std::string>& menu, std::string_view accepted) {
  for (const std::string& line : menu) console.write_line(line);
  std::string key;
  for (;;) {
    Console::Key got = console.wait_key(key);
    if (got == Console::Key::kEof) return '\0';
    if (got == Console::Key::kKey && key.size() == 1 && accepted.find(key[0]) != std::string_view::npos) {
      return key[0];
    }
  }
}

Flow end_prompt(Console& console) {
  key_prompt(console, {"<1> = continue and end"}, "1");
  return Flow::kEnd;
}

Flow continue_prompt(Console& console, const std::vector<std::string>& menu) {
  return key_prompt(console, menu, "12") == '1' ? Flow::kGoOn : Flow::kEnd;
}

void any_key_prompt(Console& console, std::string_view line) {
  console.write_line(line);
  std::string key;
  while (console.wait_key(key) == Console::Key::kNone) {
  }
}

std::string line_prompt(Console& console, std::string_view text) {
  console.write(text);
  console.write("? ");
  std::string line;
  console.read_line(line);
  return line;
}

long long number_prompt(Console& console, std::string_view text) { return read_number(line_prompt(console, text)); }

void progress(Console& console, int percent) { console.write_line("processed " + std::to_string(percent) + "%"); }

}  // namespace textpair
