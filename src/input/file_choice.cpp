#include "input/file_choice.h"

namespace textpair {

Flow choose_files(Context& ctx) { (void)ctx; return Flow::kEnd; }

}  // namespace textpair
