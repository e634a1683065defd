// Annotated page files: every indexed word becomes a span with its links.
#ifndef TEXTPAIR_SITE_ANNOTATED_PAGES_H_
#define TEXTPAIR_SITE_ANNOTATED_PAGES_H_

#include "common/run_state.h"

namespace textpair {

void annotate_group(Context& ctx, int group);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_ANNOTATED_PAGES_H_
