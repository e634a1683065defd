#include "test_util/phase_run.h"

#include "test_util/piped_console.h"

namespace textpair::testing {

PhaseRun run_phase(Flow (*phase)(Context&), RunState& state, const std::string& answers) {
  PipedConsole console(answers);
  Context ctx{console, state};
  Flow flow = phase(ctx);
  return {flow, console.output()};
}

std::size_t count_of(std::string_view text, std::string_view needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) ++count;
  return count;
}

bool ends_with(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace textpair::testing
