// The target web address, taken from the program's own file name.
#ifndef TEXTPAIR_DRIVER_TARGET_ADDRESS_H_
#define TEXTPAIR_DRIVER_TARGET_ADDRESS_H_

#include "common/run_state.h"

namespace textpair {

// Sets state.target_address from the invocation path and writes its lines,
// or shows the rename screen and ends the run.
Flow set_target_address(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_DRIVER_TARGET_ADDRESS_H_
