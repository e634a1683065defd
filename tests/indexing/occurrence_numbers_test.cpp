#include "indexing/occurrence_numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

// A numbered line gives back what it was made of, in the window it was
// written for.
TEST(NumberedLines, KeepTheirNumbers) {
  struct Case {
    std::uint64_t base;
    NumberedLine line;
  } cases[] = {
      {0, {.ordinal = 0, .id = 0, .n = 1, .entry = NextPages::kNoEntry}},
      {0, {.ordinal = 7, .id = 3, .n = 2, .entry = 0}},
      {4'000'000, {.ordinal = 5'999'999, .id = 99'999'999, .n = 123'456, .entry = 4'000'000}},
      {0,
       {.ordinal = (std::uint64_t{1} << 24) - 1,
        .id = kNumberedLimit - 1,
        .n = kNumberedLimit - 1,
        .entry = kNumberedLimit - 2}},
  };
  for (const Case& c : cases) {
    std::string text = "left over";
    append_numbered_line(text, c.line, c.base);
    ASSERT_EQ(text.size(), kNumberedLineBytes);
    NumberedLine got{};
    ASSERT_TRUE(read_numbered_line(text, c.base, got));
    EXPECT_EQ(got.ordinal, c.line.ordinal);
    EXPECT_EQ(got.id, c.line.id);
    EXPECT_EQ(got.n, c.line.n);
    EXPECT_EQ(got.entry, c.line.entry);
  }
  NumberedLine got{};
  EXPECT_FALSE(read_numbered_line("00010000000000", 0, got)) << "cut short";
}

// Each line goes to the file of its window; numbers past what a line holds
// fail the run instead of being cut.
TEST(NumberedWindows, LinesGoToTheirWindowsAndTooLargeNumbersFail) {
  testing::WorkFolder folder;
  IoFailures failures;
  NumberedWindows windows(failures, 10);
  windows.add({.ordinal = 25, .id = 1, .n = 1, .entry = 0});
  windows.add({.ordinal = 3, .id = 2, .n = 1, .entry = NextPages::kNoEntry});
  windows.close();
  ASSERT_FALSE(failures.any());
  EXPECT_EQ(windows.count(), 3u);
  std::string line;
  append_numbered_line(line, {.ordinal = 3, .id = 2, .n = 1, .entry = NextPages::kNoEntry}, 0);
  EXPECT_EQ(testing::read_file("wrd_05_1.txt"), line + "\r\n");
  EXPECT_EQ(testing::read_file("wrd_05_2.txt"), "");
  append_numbered_line(line, {.ordinal = 25, .id = 1, .n = 1, .entry = 0}, 20);
  EXPECT_EQ(testing::read_file("wrd_05_3.txt"), line + "\r\n");

  NumberedWindows too_many(failures, 10);
  too_many.add({.ordinal = 1, .id = kNumberedLimit, .n = 1, .entry = 0});
  too_many.close();
  ASSERT_TRUE(failures.any());
  EXPECT_EQ(failures.first().describe(), "wrd_05_1.txt: the text has more words than can be numbered");
}

}  // namespace
}  // namespace textpair
