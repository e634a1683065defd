#include "indexing/word_extraction.h"

namespace textpair {

void extract_words(Context& ctx) { (void)ctx; }

}  // namespace textpair
