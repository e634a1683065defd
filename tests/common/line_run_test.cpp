#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/line_sort.h"
#include "common/lines.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::read_file;
using testing::write_file;

class LineRunTest : public testing::WorkFolderTest {};

// Lines that share long prefixes, differ only past the first eight bytes
// after them, are prefixes of each other, or hold bytes 0 and 255.
std::vector<std::string> tricky_lines(unsigned seed) {
  const std::string prefixes[] = {"\"page_01.htm\",\"     ", "\"page_01.htm\",\"     1", "", "\"9999"};
  const std::string tails[] = {"",     "a", "ab",  "abcdefgh", "abcdefgh1", "abcdefgi", std::string("ab\0c", 4),
                               "\xff", "A", " 12", "12345678", "123456789"};
  std::vector<std::string> lines;
  unsigned v = seed;
  for (int i = 0; i < 300; ++i) {
    v = v * 1664525u + 1013904223u;
    lines.push_back(prefixes[(v >> 4) % std::size(prefixes)] + tails[(v >> 12) % std::size(tails)]);
  }
  return lines;
}

// Many lines alike over several eight-byte steps: ends, nul bytes and
// differences fall on both sides of each step, and long duplicates repeat.
std::vector<std::string> stepped_lines() {
  std::vector<std::string> lines;
  for (std::size_t length = 0; length <= 26; ++length) {
    for (const char last : {'\0', 'a', '\xff'}) {
      std::string line(length, 'x');
      if (length > 0) line.back() = last;
      lines.push_back(line);
      lines.push_back(line);
    }
  }
  for (int i = 0; i < 40; ++i) lines.push_back(std::string(40, 'y') + std::to_string(i % 7));
  return lines;
}

TEST_F(LineRunTest, SortsLikeAByteComparison) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
  } cases[] = {
      {"mixed prefixes", tricky_lines(1)},
      {"eight-byte steps", stepped_lines()},
      {"many lines, counted",
       [] {
         std::vector<std::string> lines;
         for (unsigned seed = 1; seed <= 8; ++seed) {
           for (const auto& more : {tricky_lines(seed), stepped_lines()})
             lines.insert(lines.end(), more.begin(), more.end());
         }
         return lines;
       }()},
      {"one shared prefix", {"\"page_01.htm\",\"   12\"", "\"page_01.htm\",\"    2\"", "\"page_01.htm\",\"   12"}},
      {"prefix of another", {"abcdefghij", "abcdefghi", "abcdefghij\x01", "abcdefghi"}},
      {"nul after the end", {std::string("ab\0", 3), "ab", std::string("ab\0\0", 4)}},
      {"single line", {"only"}},
      {"empty lines", {"", "b", "", "a"}},
  };
  for (const Case& c : cases) {
    write_file("in.txt", crlf(c.lines));
    LineReader reader("in.txt");
    LineRun run;
    ASSERT_TRUE(run.fill(reader, 1 << 20)) << c.name;
    EXPECT_EQ(run.size(), c.lines.size()) << c.name;
    run.sort();
    File out("out.txt", File::Mode::kCreate);
    ASSERT_TRUE(run.write(out)) << c.name;
    std::vector<std::string> want = c.lines;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(read_file("out.txt"), crlf(want)) << c.name;
  }
}

TEST_F(LineRunTest, FillsUpToTheBudget) {
  write_file("in.txt", crlf({"aaaa", "bbbb", "cccc", "dddddddddddddddddddd"}));
  LineReader reader("in.txt");
  LineRun run;
  const std::size_t two_lines = 2 * (4 + LineRun::kLineCost);
  ASSERT_TRUE(run.fill(reader, two_lines));
  EXPECT_EQ(run.size(), 2u);
  EXPECT_FALSE(reader.at_end());
  ASSERT_TRUE(run.fill(reader, 1));  // a line longer than the budget is held whole
  EXPECT_EQ(run.size(), 1u);
  ASSERT_TRUE(run.fill(reader, two_lines));
  EXPECT_EQ(run.size(), 1u);
  EXPECT_TRUE(reader.at_end());
  EXPECT_FALSE(run.fill(reader, two_lines));
}

}  // namespace
}  // namespace textpair
