// The all-words index index.htm and the word total.
#ifndef TEXTPAIR_SITE_ALL_WORDS_INDEX_H_
#define TEXTPAIR_SITE_ALL_WORDS_INDEX_H_

#include "common/run_state.h"

namespace textpair {

Flow write_all_words_index(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_ALL_WORDS_INDEX_H_
