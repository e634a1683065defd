#include "driver/target_address.h"

namespace textpair {

Flow set_target_address(Context& ctx) { (void)ctx; return Flow::kGoOn; }

}  // namespace textpair
