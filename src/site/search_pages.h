// Search pages (s_K.htm): the text line by line with web-search links.
#ifndef TEXTPAIR_SITE_SEARCH_PAGES_H_
#define TEXTPAIR_SITE_SEARCH_PAGES_H_

#include "common/run_state.h"

namespace textpair {

void write_search_page(Context& ctx, int group);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_SEARCH_PAGES_H_
