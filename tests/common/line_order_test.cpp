#include "common/line_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace textpair {
namespace {

// A record of a word list in text order: page, line, column, word.
std::string occurrence(long line, long column, const std::string& word) {
  auto padded = [](long v, std::size_t width) {
    std::string digits = std::to_string(v);
    return std::string(digits.size() < width ? width - digits.size() : 0, ' ') + digits;
  };
  return "\"page_01.htm\",\"" + padded(line, 10) + "\",\"" + padded(column, 6) + "\",\"" + word + "\"";
}

int sign(int v) { return (v > 0) - (v < 0); }

TEST(LineOrder, ComparesBytesAndNumberFieldsByValue) {
  struct Case {
    const char* name;
    std::string a, b;
    int want;  // sign of compare_lines(a, b)
  } cases[] = {
      {"equal", "abc", "abc", 0},
      {"bytes unsigned", "a\xff", "ab", 1},
      {"prefix first", "ab", "ab,", -1},
      {"case not folded", "Apple", "apple", -1},
      {"padded columns", occurrence(1, 99, "w"), occurrence(1, 100, "w"), -1},
      {"column past six digits", occurrence(1, 999999, "w"), occurrence(1, 1000000, "w"), -1},
      {"seven against eight digits", occurrence(1, 9999999, "w"), occurrence(1, 10000000, "w"), -1},
      {"five against seven digits", occurrence(1, 12345, "w"), occurrence(1, 1234567, "w"), -1},
      {"line decides before column", occurrence(1, 1000000, "w"), occurrence(2, 5, "w"), -1},
      {"first field by bytes", "\"45\",\"1\"", "\"123\",\"1\"", 1},
      {"word field by bytes", "\"k\",\"ab!\"", "\"k\",\"ab\"", -1},
      {"unclosed field by bytes", "\"k\",\"999999", "\"k\",\"1000000", 1},
      {"field with a letter by bytes", "\"k\",\"999999a\"", "\"k\",\"1000000a\"", 1},
      {"no number before a number", "\"k\",\"1000000a\"", "\"k\",\"999999\"", -1},
      {"leading zeros", "\"k\",\"0000100\"", "\"k\",\"99\"", 1},
      {"same value, bytes decide", "\"k\",\"  7\"", "\"k\",\"007\"", -1},
      {"rank field first", "\"99999999\",\"id1\"", "\"99999998\",\"id2\"", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sign(compare_lines(c.a, c.b)), c.want) << c.name;
    EXPECT_EQ(sign(compare_lines(c.b, c.a)), -c.want) << c.name << " (swapped)";
  }
}

// Records on one line with columns on both sides of 999,999 sort into text
// order, and a sort by this order is one where every pair agrees.
TEST(LineOrder, SortsColumnsAcrossTheSixDigitWidthInTextOrder) {
  std::vector<long> columns = {1, 9, 10, 99999, 100000, 999998, 999999, 1000000, 1000001, 1999999, 9999999, 10000000};
  std::vector<std::string> want;
  for (long line : {1L, 2L}) {
    for (long column : columns) want.push_back(occurrence(line, column, "w" + std::to_string(column % 7)));
  }
  std::vector<std::string> lines = want;
  std::reverse(lines.begin(), lines.end());
  std::rotate(lines.begin(), lines.begin() + 5, lines.end());
  std::sort(lines.begin(), lines.end(), line_before);
  EXPECT_EQ(lines, want);
  for (std::size_t i = 0; i < want.size(); ++i) {
    for (std::size_t j = 0; j < want.size(); ++j) {
      EXPECT_EQ(line_before(want[i], want[j]), i < j) << want[i] << " / " << want[j];
    }
  }
}

}  // namespace
}  // namespace textpair
