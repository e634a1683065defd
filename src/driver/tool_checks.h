// Checks that the command interpreter, find, findstr and sort can be run.
#ifndef TEXTPAIR_DRIVER_TOOL_CHECKS_H_
#define TEXTPAIR_DRIVER_TOOL_CHECKS_H_

#include "common/run_state.h"

namespace textpair {

Flow check_tools(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_DRIVER_TOOL_CHECKS_H_
