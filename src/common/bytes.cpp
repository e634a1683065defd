#include "common/bytes.h"

#include <algorithm>
#include <cmath>

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

std::string trim_left_blanks(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && s[b] == ' ') ++b;
  return std::string(s.substr(b));
}

std::string trim_right_blanks(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && s[e - 1] == ' ') --e;
  return std::string(s.substr(0, e));
}

std::string trim_blanks(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::size_t find_at(std::string_view hay, std::string_view needle, std::size_t from) {
  if (from < 1) from = 1;
  if (from > hay.size() + 1) return 0;
  std::size_t p = hay.find(needle, from - 1);
  return p == std::string_view::npos ? 0 : p + 1;
}

bool contains_nocase(std::string_view hay, std::string_view needle) {
  // No lower-cased copy: the text may be a very long line's markup.
  auto same = [](char a, char b) { return ascii_lower(a) == ascii_lower(b); };
  return std::search(hay.begin(), hay.end(), needle.begin(), needle.end(), same) != hay.end();
}

std::string mid(std::string_view s, std::size_t a, std::size_t b) {
  if (a < 1) a = 1;
  if (b > s.size()) b = s.size();
  if (b < a) return std::string();
  return std::string(s.substr(a - 1, b - a + 1));
}

void append_all(std::string& out, std::initializer_list<std::string_view> pieces) {
  for (std::string_view p : pieces) out += p;
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
