// The number pattern: the run of zeros to whose width page numbers are
// padded, fixed from the number of files to be numbered.
#ifndef TEXTPAIR_COMMON_NUMBER_PATTERN_H_
#define TEXTPAIR_COMMON_NUMBER_PATTERN_H_

#include <string>

namespace textpair {

// The pattern for `count` files: "00" for 2 to 10, "000" for 11 to 100, and
// so on up to "00000000" from 1000001 on. A count of 0 or 1 keeps `current`.
std::string number_pattern_for(long long count, const std::string& current);

// `k` in decimal, padded with "0" on the left to the pattern's width.
std::string format_with_pattern(long long k, const std::string& pattern);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_NUMBER_PATTERN_H_
