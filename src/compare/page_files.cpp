#include "compare/page_files.h"

namespace textpair {

Flow write_page_files(Context& ctx) { (void)ctx; return Flow::kGoOn; }

}  // namespace textpair
