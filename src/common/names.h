// Name cleaning of input files and working copies: every byte of the stem
// that is not an ASCII letter or digit becomes "_", and a name that then
// begins with "page_" gets "file_" in front, so that it can never be taken
// for one of the program's own page files.
#ifndef TEXTPAIR_COMMON_NAMES_H_
#define TEXTPAIR_COMMON_NAMES_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace textpair {

// The stem with every byte that is not 0-9, A-Z or a-z replaced by "_";
// the length in bytes stays the same.
std::string clean_stem(std::string_view stem);

// The cleaned name of `name` whose extension starts at byte `ext` (0-based):
// the stem before it, blanks trimmed and cleaned, then `suffix`, then the
// rest unchanged, then the "file_" guard.
std::string clean_file_name(std::string_view name, std::size_t ext, std::string_view suffix = "");

// "file_" + name when the name, lower-cased, begins with "page_".
std::string guard_page_prefix(std::string name);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_NAMES_H_
