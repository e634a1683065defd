// Counting the candidates, choosing the two files to compare and the table width.
#ifndef TEXTPAIR_INPUT_FILE_CHOICE_H_
#define TEXTPAIR_INPUT_FILE_CHOICE_H_

#include "common/run_state.h"

namespace textpair {

Flow choose_files(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_INPUT_FILE_CHOICE_H_
