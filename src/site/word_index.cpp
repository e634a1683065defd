#include "site/word_index.h"

namespace textpair {

void write_word_index_page(Context& ctx, int group) { (void)ctx; (void)group; }

}  // namespace textpair
