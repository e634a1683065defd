// The chain of word lists: ids, occurrence numbers, page groups and the per-group lists.
#ifndef TEXTPAIR_INDEXING_WORD_LISTS_H_
#define TEXTPAIR_INDEXING_WORD_LISTS_H_

#include "common/run_state.h"

namespace textpair {

Flow build_word_lists(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_WORD_LISTS_H_
