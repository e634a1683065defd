#include "driver/startup_screens.h"

namespace textpair {

Flow show_startup_screens(Context& ctx) { (void)ctx; return Flow::kGoOn; }

}  // namespace textpair
