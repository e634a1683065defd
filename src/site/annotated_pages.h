// Annotated page files: every indexed word of a group's pages becomes a
// double-clickable span with a hidden block of links, and each page gets
// the highlight script and navigation lines.
#ifndef TEXTPAIR_SITE_ANNOTATED_PAGES_H_
#define TEXTPAIR_SITE_ANNOTATED_PAGES_H_

#include <cstddef>

#include "common/run_state.h"

namespace textpair {

// Rewrites the pages of group `group` (from its list wrd_24_K.txt) in place.
// A page line longer than `held_line_bytes` is read in pieces, never whole.
inline constexpr std::size_t kHeldPageLineBytes = std::size_t{1} << 20;
void annotate_group(Context& ctx, int group, std::size_t held_line_bytes = kHeldPageLineBytes);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_ANNOTATED_PAGES_H_
