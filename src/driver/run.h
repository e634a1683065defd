// The run driver: the phases of a run in their fixed order, each run only
// when the checks before it have passed.
#ifndef TEXTPAIR_DRIVER_RUN_H_
#define TEXTPAIR_DRIVER_RUN_H_

#include <string>

namespace textpair {

class Console;

// Runs the whole program; every way out returns exit status 0.
int run(Console& console, const std::string& invocation_path);

}  // namespace textpair

#endif  // TEXTPAIR_DRIVER_RUN_H_
