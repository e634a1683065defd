#include "common/number_pattern.h"

#include <gtest/gtest.h>

namespace textpair {
namespace {

TEST(NumberPattern, WidthGrowsWithTheCount) {
  struct Case {
    long long count;
    const char* current;
    const char* want;
  } cases[] = {
      {0, "", ""},
      {1, "00", "00"},
      {2, "", "00"},
      {10, "", "00"},
      {11, "00", "000"},
      {100, "", "000"},
      {101, "", "0000"},
      {1000, "", "0000"},
      {1001, "", "00000"},
      {10001, "", "000000"},
      {100001, "", "0000000"},
      {1000000, "", "0000000"},
      {1000001, "", "00000000"},
      {999999999, "", "00000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(number_pattern_for(c.count, c.current), c.want) << c.count;
}

TEST(NumberPattern, PadsToThePatternWidth) {
  struct Case {
    long long k;
    const char* pattern;
    const char* want;
  } cases[] = {
      {1, "00", "01"}, {12, "00", "12"}, {123, "00", "123"}, {3, "000", "003"}, {12, "000", "012"}, {7, "", "7"},
  };
  for (const Case& c : cases) EXPECT_EQ(format_with_pattern(c.k, c.pattern), c.want) << c.k << " " << c.pattern;
}

}  // namespace
}  // namespace textpair
