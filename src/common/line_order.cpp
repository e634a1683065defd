#include "common/line_order.h"

#include <algorithm>
#include <cstddef>

namespace textpair {

namespace {

// The field that starts at `from` (right after its opening quote), when it
// is a number closed by its quote: its digits without leading zeros.
// False for every other field.
bool number_field(std::string_view line, std::size_t from, std::string_view& digits) {
  std::size_t i = from;
  while (i < line.size() && line[i] == ' ') ++i;
  const std::size_t first_digit = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  if (i == first_digit || i == line.size() || line[i] != '"') return false;
  std::size_t significant = first_digit;
  while (significant + 1 < i && line[significant] == '0') ++significant;
  digits = line.substr(significant, i - significant);
  return true;
}

int compare_bytes(std::string_view a, std::string_view b, std::size_t at) {
  if (at == a.size() || at == b.size()) return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
  return static_cast<unsigned char>(a[at]) < static_cast<unsigned char>(b[at]) ? -1 : 1;
}

}  // namespace

int compare_lines(std::string_view a, std::string_view b) {
  const std::size_t shared = std::min(a.size(), b.size());
  const std::size_t at =
      static_cast<std::size_t>(std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(shared), b.begin()).first -
                               a.begin());
  if (at == a.size() && at == b.size()) return 0;
  const bool a_may = at < a.size() && may_be_in_number(static_cast<unsigned char>(a[at]));
  const bool b_may = at < b.size() && may_be_in_number(static_cast<unsigned char>(b[at]));
  if (!a_may && !b_may) return compare_bytes(a, b, at);

  // Both lines read the same up to `at`, so they are in the same field
  // there: inside one when an odd number of quotes lies before it.
  std::size_t quotes = 0, field_start = 0;
  for (std::size_t i = 0; i < at; ++i) {
    if (a[i] == '"' && (++quotes % 2) == 1) field_start = i + 1;
  }
  if (quotes % 2 == 0 || quotes < 3) return compare_bytes(a, b, at);

  std::string_view da, db;
  const bool a_number = number_field(a, field_start, da);
  const bool b_number = number_field(b, field_start, db);
  if (!a_number && !b_number) return compare_bytes(a, b, at);
  // A field that holds no number sorts before one that does.
  if (a_number != b_number) return a_number ? 1 : -1;
  if (da.size() != db.size()) return da.size() < db.size() ? -1 : 1;
  const int by_value = da.compare(db);
  if (by_value != 0) return by_value < 0 ? -1 : 1;
  return compare_bytes(a, b, at);  // the same number written two ways
}

}  // namespace textpair
