#include "compare/comparison_page.h"

namespace textpair {

Flow write_comparison_page(Context& ctx) { (void)ctx; return Flow::kGoOn; }

}  // namespace textpair
