#include "site/content_list.h"

namespace textpair {

void write_content_list(Context& ctx) { (void)ctx; }

}  // namespace textpair
