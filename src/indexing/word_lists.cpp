#include "indexing/word_lists.h"

namespace textpair {

Flow build_word_lists(Context& ctx) { (void)ctx; return Flow::kGoOn; }

}  // namespace textpair
