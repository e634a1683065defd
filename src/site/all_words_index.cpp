#include "site/all_words_index.h"

namespace textpair {

Flow write_all_words_index(Context& ctx) { (void)ctx; return Flow::kGoOn; }

}  // namespace textpair
