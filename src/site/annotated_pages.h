// Annotated page files: every indexed word of a group's pages becomes a
// double-clickable span with a hidden block of links, and each page gets
// the highlight script and navigation lines.
#ifndef TEXTPAIR_SITE_ANNOTATED_PAGES_H_
#define TEXTPAIR_SITE_ANNOTATED_PAGES_H_

#include "common/run_state.h"

namespace textpair {

// Rewrites the pages of group `group` (from its list wrd_24_K.txt) in place.
void annotate_group(Context& ctx, int group);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_ANNOTATED_PAGES_H_
