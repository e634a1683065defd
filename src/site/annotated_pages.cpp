#include "site/annotated_pages.h"

namespace textpair {

void annotate_group(Context& ctx, int group) { (void)ctx; (void)group; }

}  // namespace textpair
