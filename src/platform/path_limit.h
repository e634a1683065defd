// The longest path the system lets a program use that does not give its
// names in the long form itself, as wget does not. The program's own calls
// are not limited this way (see wide_win32.h).
#ifndef TEXTPAIR_PLATFORM_PATH_LIMIT_H_
#define TEXTPAIR_PLATFORM_PATH_LIMIT_H_

#include <cstddef>

namespace textpair {

// In UTF-16 units, without the terminating NUL; 0 when there is no such
// limit (POSIX, or Windows with long paths turned on).
std::size_t path_length_limit();

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_PATH_LIMIT_H_
