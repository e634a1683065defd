// Test helper: runs one phase of the program with typed answers on a piped
// console and keeps what the console showed.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_PHASE_RUN_H_
#define TEXTPAIR_TESTS_TEST_UTIL_PHASE_RUN_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "common/run_state.h"

namespace textpair::testing {

struct PhaseRun {
  Flow flow;
  std::string output;  // standard output and error, in order
};

PhaseRun run_phase(Flow (*phase)(Context&), RunState& state, const std::string& answers = "");

// How often `needle` stands in `text`.
std::size_t count_of(std::string_view text, std::string_view needle);

// True when `text` ends with `tail`.
bool ends_with(std::string_view text, std::string_view tail);

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_PHASE_RUN_H_
