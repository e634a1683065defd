// The program's own external sort of a file's lines in byte order.
#ifndef TEXTPAIR_INDEXING_EXTERNAL_SORT_H_
#define TEXTPAIR_INDEXING_EXTERNAL_SORT_H_

#include "common/run_state.h"

namespace textpair {

// Sorts state.sort_input into state.sort_output; ends the run on a sort error.
Flow external_sort(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_EXTERNAL_SORT_H_
