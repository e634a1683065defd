// The all-words index index.htm: every word once, in id order, with a link
// per group that holds it; also counts the run's word total.
#ifndef TEXTPAIR_SITE_ALL_WORDS_INDEX_H_
#define TEXTPAIR_SITE_ALL_WORDS_INDEX_H_

#include "common/run_state.h"

namespace textpair {

// Writes index.htm from the groups' lists in word order (wrd_14_K.txt, K up
// to the group count).
Flow write_all_words_index(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_ALL_WORDS_INDEX_H_
