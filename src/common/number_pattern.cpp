#include "common/number_pattern.h"

#include "common/bytes.h"

namespace textpair {

std::string number_pattern_for(long long count, const std::string& current) {
  if (count < 2) return current;
  // One more zero than the digits of count - 1, at most eight.
  std::size_t width = std::to_string(count - 1).size() + 1;
  if (width > 8) width = 8;
  return std::string(width, '0');
}

std::string format_with_pattern(long long k, const std::string& pattern) {
  return pad_left(std::to_string(k), pattern.size(), '0');
}

}  // namespace textpair
