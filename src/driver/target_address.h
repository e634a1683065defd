// The target web address, taken from the program's own file name.
#ifndef TEXTPAIR_DRIVER_TARGET_ADDRESS_H_
#define TEXTPAIR_DRIVER_TARGET_ADDRESS_H_

#include <optional>
#include <string>
#include <string_view>

#include "common/run_state.h"

namespace textpair {

// The address a program started as `invocation_path` searches: the part of
// the name after the last web prefix ("www.", "http." or "https.", tested in
// that order, anywhere in the lower-cased path trimmed of blanks and less a
// final ".exe" in any case), behind "www.", "http://" or "https://". None
// without a prefix.
std::optional<std::string> target_address_from(std::string_view invocation_path);

// Sets state.target_address from the invocation path and writes its lines,
// or shows the rename screen and ends the run.
Flow set_target_address(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_DRIVER_TARGET_ADDRESS_H_
