// The run driver: the phases of a run in their fixed order, each run only
// when the checks before it have passed.
#ifndef TEXTPAIR_DRIVER_RUN_H_
#define TEXTPAIR_DRIVER_RUN_H_

#include <string>

#include "common/run_state.h"

namespace textpair {

class Console;

// After a phase: when a work file could not be written completely (disk
// full), says so, waits for a key and ends the run, keeping every file.
Flow check_work_written(Context& ctx);

// Runs the whole program; every way out returns exit status 0.
int run(Console& console, const std::string& invocation_path);

}  // namespace textpair

#endif  // TEXTPAIR_DRIVER_RUN_H_
