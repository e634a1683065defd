// The three start-up screens: terms of use, font and install instructions.
#ifndef TEXTPAIR_DRIVER_STARTUP_SCREENS_H_
#define TEXTPAIR_DRIVER_STARTUP_SCREENS_H_

#include "common/run_state.h"

namespace textpair {

Flow show_startup_screens(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_DRIVER_STARTUP_SCREENS_H_
