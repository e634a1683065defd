#include "site/search_pages.h"

namespace textpair {

void write_search_page(Context& ctx, int group) { (void)ctx; (void)group; }

}  // namespace textpair
