// Word index pages (i_K.htm), with the page head and introduction block the other index pages share.
#ifndef TEXTPAIR_SITE_WORD_INDEX_H_
#define TEXTPAIR_SITE_WORD_INDEX_H_

#include "common/run_state.h"

namespace textpair {

void write_word_index_page(Context& ctx, int group);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_WORD_INDEX_H_
