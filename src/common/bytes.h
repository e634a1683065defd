// Byte-string helpers shared by every phase: ASCII lower-casing, blank
// trimming, 1-based searching, padding and the number reading of prompts.
// Strings are byte strings; nothing here knows about UTF-8.
#ifndef TEXTPAIR_COMMON_BYTES_H_
#define TEXTPAIR_COMMON_BYTES_H_

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace textpair {

// Only A-Z are lowered, only a-z raised; every other byte is kept.
std::string lower_ascii(std::string_view s);
std::string upper_ascii(std::string_view s);
// Trimming removes blanks (byte 32) only, never tabs.
std::string trim_blanks(std::string_view s);
// The same trim as a view into `s`, for hot loops.
std::string_view blanks_trimmed(std::string_view s);

// 1-based position of the first `needle` at or after position `from`
// (1-based); 0 when there is none.
std::size_t find_at(std::string_view hay, std::string_view needle, std::size_t from = 1);
inline bool contains(std::string_view hay, std::string_view needle) {
  return hay.find(needle) != std::string_view::npos;
}
// Case-insensitive (ASCII) search, without a lower-cased copy of the text:
// the 0-based position of the first match, npos when there is none.
std::size_t find_nocase(std::string_view hay, std::string_view needle);
inline bool contains_nocase(std::string_view hay, std::string_view needle) {
  return find_nocase(hay, needle) != std::string_view::npos;
}
// Bytes a..b (1-based, inclusive); empty when b < a; clipped to the string.
std::string mid(std::string_view s, std::size_t a, std::size_t b);

namespace bytes_detail {
inline std::size_t piece_size(std::string_view piece) { return piece.size(); }
template <std::size_t n>
constexpr std::size_t piece_size(const char (&)[n]) {
  return n - 1;
}
inline char* put_piece(char* to, std::string_view piece) {
  if (!piece.empty()) std::memcpy(to, piece.data(), piece.size());
  return to + piece.size();
}
// A string literal's length is known here, so its copy needs no call.
template <std::size_t n>
char* put_piece(char* to, const char (&literal)[n]) {
  std::memcpy(to, literal, n - 1);
  return to + (n - 1);
}
}  // namespace bytes_detail

// Appends the pieces (string literals, strings, views) to `out` in order,
// growing it once, without temporaries.
template <class... Pieces>
void append_all(std::string& out, const Pieces&... pieces) {
  const std::size_t at = out.size();
  out.resize(at + (bytes_detail::piece_size(pieces) + ...));
  char* to = out.data() + at;
  ((to = bytes_detail::put_piece(to, pieces)), ...);
}
// Appends the decimal digits of `v` (with '-' when negative).
void append_number(std::string& out, long long v);

// Right-aligns `s` in `width` characters with `fill`; longer text stays whole.
std::string pad_left(std::string_view s, std::size_t width, char fill = ' ');
// A number with one blank in the sign position when it is not negative.
std::string format_signed(long long v);

// Reads a typed number: leading blanks and tabs skipped, an optionally signed
// decimal taken from the start, a fractional part rounded to the nearest
// integer; text that does not start with a number reads as 0.
long long read_number(std::string_view s);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_BYTES_H_
