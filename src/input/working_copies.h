// The search site address, the working copies in txt_wrk with the duplicate check, and the number pattern.
#ifndef TEXTPAIR_INPUT_WORKING_COPIES_H_
#define TEXTPAIR_INPUT_WORKING_COPIES_H_

#include "common/run_state.h"

namespace textpair {

Flow make_working_copies(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_INPUT_WORKING_COPIES_H_
