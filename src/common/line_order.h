// The order in which the program sorts lines, its own sort and the sort
// command alike: unsigned bytes, a line that is a prefix of another first,
// no case folding, no locale; except that a quoted field after a record's
// first one that holds a number (blanks, then digits, then the closing
// quote) compares by its value. The word lists carry line and column numbers
// right-aligned in a fixed width, so within that width the two orders agree;
// a column past the width keeps all its digits and still sorts in text
// order. The first field (a word's key, a rank, an id) always sorts by bytes.
#ifndef TEXTPAIR_COMMON_LINE_ORDER_H_
#define TEXTPAIR_COMMON_LINE_ORDER_H_

#include <string_view>

namespace textpair {

// Negative, zero or positive as `a` sorts before, with or after `b`. Zero
// only for equal lines.
int compare_lines(std::string_view a, std::string_view b);
inline bool line_before(std::string_view a, std::string_view b) { return compare_lines(a, b) < 0; }

// Whether a byte at which two lines first differ may lie in a number field;
// a difference at any other byte is decided by the bytes alone.
inline bool may_be_in_number(unsigned char c) { return c == ' ' || c == '"' || (c >= '0' && c <= '9'); }

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_LINE_ORDER_H_
