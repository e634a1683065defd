// ASCII letter case, the only case the program ever folds: in file names,
// in words and in tags. Bytes other than A-Z and a-z stay as they are.
#ifndef TEXTPAIR_PLATFORM_ASCII_CASE_H_
#define TEXTPAIR_PLATFORM_ASCII_CASE_H_

namespace textpair {

constexpr char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_ASCII_CASE_H_
