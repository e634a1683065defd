// The three console prompts every phase asks with: the key prompt, the
// any-key prompt and the line prompt, and the progress lines of a run.
#ifndef TEXTPAIR_PROMPTS_PROMPTS_H_
#define TEXTPAIR_PROMPTS_PROMPTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/run_state.h"

namespace textpair {

class Console;

// Writes the menu lines once, then waits for one of the `accepted` keys
// (other keys, cursor and function keys included, are dropped) and returns
// it; returns '\0' when input ends first.
char key_prompt(Console& console, const std::vector<std::string>& menu, std::string_view accepted);

// "<1> = continue and end": only "1" (or the end of input) ends the run.
Flow end_prompt(Console& console);

// A two-choice menu: "1" goes on, "2" (or the end of input) ends the run.
Flow continue_prompt(Console& console, const std::vector<std::string>& menu);

// Writes the prompt line once and waits for any key (or the end of input).
void any_key_prompt(Console& console, std::string_view line);

// Writes `text` + "? ", reads one line with echo; empty at end of input.
std::string line_prompt(Console& console, std::string_view text);
// A line prompt read as one integer (see read_number).
long long number_prompt(Console& console, std::string_view text);

// "processed N%".
void progress(Console& console, int percent);

inline constexpr const char* kDashes = "----------------------------";
inline constexpr const char* kEquals = "====================================";

}  // namespace textpair

#endif  // TEXTPAIR_PROMPTS_PROMPTS_H_
