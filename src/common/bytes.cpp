#include "common/bytes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/ascii_case.h"

namespace textpair {

std::string lower_ascii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = ascii_lower(c);
  return out;
}

std::string upper_ascii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = ascii_upper(c);
  return out;
}

std::string_view blanks_trimmed(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return s.substr(b, e - b);
}

std::string trim_blanks(std::string_view s) { return std::string(blanks_trimmed(s)); }

std::size_t find_at(std::string_view hay, std::string_view needle, std::size_t from) {
  if (from < 1) from = 1;
  if (from > hay.size() + 1) return 0;
  std::size_t p = hay.find(needle, from - 1);
  return p == std::string_view::npos ? 0 : p + 1;
}

namespace {

// Next position at or after `from` of byte `c`, or the end of `hay`.
std::size_t next_of(std::string_view hay, std::size_t from, char c) {
  if (from >= hay.size()) return hay.size();
  const void* at = std::memchr(hay.data() + from, c, hay.size() - from);
  return at == nullptr ? hay.size() : static_cast<std::size_t>(static_cast<const char*>(at) - hay.data());
}

bool same_nocase(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::size_t find_nocase(std::string_view hay, std::string_view needle) {
  if (needle.empty()) return 0;
  if (needle.size() > hay.size()) return std::string_view::npos;
  // Candidates are found with memchr for each case of the first byte; the
  // next place of each case is kept, so no byte is scanned twice.
  const char lower = ascii_lower(needle[0]);
  const char upper = ascii_upper(needle[0]);
  const std::size_t last = hay.size() - needle.size();
  std::size_t at_lower = next_of(hay, 0, lower);
  std::size_t at_upper = lower == upper ? hay.size() : next_of(hay, 0, upper);
  for (;;) {
    const std::size_t at = std::min(at_lower, at_upper);
    if (at > last) return std::string_view::npos;
    if (same_nocase(hay.substr(at + 1, needle.size() - 1), needle.substr(1))) return at;
    if (at == at_lower) at_lower = next_of(hay, at + 1, lower);
    if (at == at_upper) at_upper = next_of(hay, at + 1, upper);
  }
}

std::string mid(std::string_view s, std::size_t a, std::size_t b) {
  if (a < 1) a = 1;
  if (b > s.size()) b = s.size();
  if (b < a) return std::string();
  return std::string(s.substr(a - 1, b - a + 1));
}

void append_number(std::string& out, long long v) {
  char digits[24];
  const auto done = std::to_chars(digits, digits + sizeof digits, v);
  out.append(digits, done.ptr);
}

std::string pad_left(std::string_view s, std::size_t width, char fill) {
  if (s.size() >= width) return std::string(s);
  return std::string(width - s.size(), fill) + std::string(s);
}

std::string format_signed(long long v) {
  std::string out = v < 0 ? "" : " ";
  out += std::to_string(v);
  return out;
}

long long read_number(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  // The usual case, whole digits only, is read exactly without the
  // fraction's floating point.
  {
    std::size_t j = i;
    long long whole = 0;
    while (j < s.size() && j - i < 18 && s[j] >= '0' && s[j] <= '9') whole = whole * 10 + (s[j++] - '0');
    const bool stops = j == s.size() || ((s[j] < '0' || s[j] > '9') && s[j] != '.');
    if (j > i && stops) return negative ? -whole : whole;
  }
  long double value = 0;
  bool digits = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    value = value * 10 + (s[i] - '0');
    digits = true;
    ++i;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    long double scale = 0.1L;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      value += (s[i] - '0') * scale;
      scale /= 10;
      digits = true;
      ++i;
    }
  }
  if (!digits) return 0;
  if (value > 9.0e18L) value = 9.0e18L;
  long long rounded = std::llround(value);
  return negative ? -rounded : rounded;
}

}  // namespace textpair
