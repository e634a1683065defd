// Counting the candidates, choosing the two files to compare and the table
// width.
#ifndef TEXTPAIR_INPUT_FILE_CHOICE_H_
#define TEXTPAIR_INPUT_FILE_CHOICE_H_

#include <string>

#include "common/run_state.h"

namespace textpair {

Flow choose_files(Context& ctx);

// The table width for a reply to the size prompt: the number read from it
// and "%", or "100%" when it reads as 0.
std::string table_width_from(const std::string& reply);

}  // namespace textpair

#endif  // TEXTPAIR_INPUT_FILE_CHOICE_H_
