// Fuzzes the parser of the interpreter's command lines: any bytes must parse
// without faults, a loop must name its variable, and substituting the loop
// variable must keep the command's shape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "commands/command_line.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  textpair::CommandLine parsed = textpair::parse_command_line(line);
  if (!parsed.valid) return 0;
  if (parsed.is_loop) check(!parsed.loop_variable.empty());
  for (const textpair::Command& command : parsed.pipeline) {
    const std::string_view value = parsed.loop_set.empty() ? std::string_view("x y") : parsed.loop_set[0].text;
    textpair::Command done = textpair::substitute(command, parsed.is_loop ? parsed.loop_variable : "%i", value);
    check(done.words.size() == command.words.size());
    check(done.redirects.size() == command.redirects.size());
  }
  return 0;
}
