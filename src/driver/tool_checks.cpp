#include "driver/tool_checks.h"

namespace textpair {

Flow check_tools(Context& ctx) { (void)ctx; return Flow::kGoOn; }

}  // namespace textpair
