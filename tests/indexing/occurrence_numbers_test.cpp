#include "indexing/occurrence_numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace textpair {
namespace {

TEST(NumberedLines, KeepTheirNumbers) {
  const NumberedLine cases[] = {
      {.ordinal = 0, .id = 0, .n = 1, .entry = NextPages::kNoEntry},
      {.ordinal = 7, .id = 3, .n = 2, .entry = 0},
      {.ordinal = (std::uint64_t{1} << 40) + 5, .id = 99'999'999, .n = 123'456, .entry = 4'000'000},
  };
  for (const NumberedLine& want : cases) {
    std::string text = "left over";
    append_numbered_line(text, want);
    ASSERT_EQ(text.size(), kNumberedLineBytes);
    NumberedLine got{};
    ASSERT_TRUE(read_numbered_line(text, got));
    EXPECT_EQ(got.ordinal, want.ordinal);
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.n, want.n);
    EXPECT_EQ(got.entry, want.entry);
  }
  NumberedLine got{};
  EXPECT_FALSE(read_numbered_line("0000000100000000", got)) << "cut short";
}

}  // namespace
}  // namespace textpair
