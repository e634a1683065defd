// Intake of compare_in: the files are taken in under cleaned names and HTM input is turned into text.
#ifndef TEXTPAIR_INPUT_INTAKE_H_
#define TEXTPAIR_INPUT_INTAKE_H_

#include "common/run_state.h"

namespace textpair {

Flow take_in_inputs(Context& ctx);
// Resets htm_out and makes the working subfolders.
void set_up_folders(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_INPUT_INTAKE_H_
