#include "indexing/external_sort.h"

namespace textpair {

Flow external_sort(Context& ctx) { (void)ctx; return Flow::kGoOn; }

}  // namespace textpair
