// Word extraction: every word of the page files into wrd_01.txt, with trace files.
#ifndef TEXTPAIR_INDEXING_WORD_EXTRACTION_H_
#define TEXTPAIR_INDEXING_WORD_EXTRACTION_H_

#include "common/run_state.h"

namespace textpair {

void extract_words(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_WORD_EXTRACTION_H_
