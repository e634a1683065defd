#include "site/page_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::read_file;
using testing::write_file;

class PageLinesTest : public testing::WorkFolderTest {
 protected:
  // Every line of page.txt as PageLines copies it, each followed by "|".
  std::string copied_lines(std::size_t held) {
    PageLines in(held);
    EXPECT_TRUE(in.open("page.txt"));
    LineWriter out;
    EXPECT_TRUE(out.create("out.txt"));
    while (in.next()) {
      in.copy(1, static_cast<std::size_t>(-1), out);
      out.raw("|");
    }
    EXPECT_TRUE((out.close()).ok());
    return read_file("out.txt");
  }
};

// Lines held whole and lines read in pieces end exactly where the line
// reader ends them: at LF, a CR before it dropped, a last line without LF
// kept with its CR.
TEST_F(PageLinesTest, ReadsTheLinesTheLineReaderReads) {
  std::vector<std::string> contents = {
      "",
      "a",
      "a\r\n",
      "one\r\ntwo\n\nthree\rx\nlast\r",
      std::string(200000, 'b') + "\r\nshort\n" + std::string(70000, 'c'),
  };
  for (std::size_t size = 14; size <= 18; ++size) {  // line ends at and around the held bytes
    contents.push_back(std::string(size, 'x') + "\r\n" + std::string(size, 'y') + "\n\r\nz\r");
  }
  for (const std::string& content : contents) {
    write_file("page.txt", content);
    std::string want;
    IoFailures failures;
    for (const std::string& line : read_all_lines("page.txt", failures)) want += line + "|";
    for (std::size_t held : {std::size_t{16}, std::size_t{17}, std::size_t{1} << 20}) {
      EXPECT_EQ(copied_lines(held), want) << content.size() << " bytes, " << held << " held";
    }
  }
}

// A long line is searched piece by piece: a match across the seam of two
// pieces is found, with the byte before it.
TEST_F(PageLinesTest, FindsInALongLineAcrossPieces) {
  const std::string line = std::string(65533, 'a') + "<BoDy>" + std::string(70000, 'b') + "</title>";
  write_file("page.txt", line + "\r\n");
  struct Case {
    const char* needle;
    std::size_t at;
    char before;
  } cases[] = {
      {"body", 65534, '<'},
      {"</TITLE>", line.size() - 8, 'b'},
      {"aaa", 0, 0},
      {"<title", std::string::npos, 0},
  };
  for (std::size_t held : {std::size_t{16}, std::size_t{1} << 20}) {
    PageLines in(held);
    ASSERT_TRUE(in.open("page.txt"));
    ASSERT_TRUE(in.next());
    EXPECT_EQ(in.whole(), held > line.size());
    for (const Case& c : cases) {
      char before = 'x';
      EXPECT_EQ(in.find_nocase(c.needle, before), c.at) << c.needle;
      EXPECT_EQ(before, c.before) << c.needle;
    }
  }
}

// The bytes between a long line's words are copied in order, each range
// from where the last one ended; ranges past the line's end are clipped.
TEST_F(PageLinesTest, CopiesRangesOfALongLineInOrder) {
  std::string line(200000, ' ');
  for (std::size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char>('a' + i % 26);
  write_file("page.txt", line + "\nnext\n");
  const std::size_t ranges[][2] = {{1, 10}, {11, 70000}, {70001, 70000}, {70005, 140000}, {150000, 300000}};
  PageLines in(16);
  ASSERT_TRUE(in.open("page.txt"));
  ASSERT_TRUE(in.next());
  LineWriter out;
  ASSERT_TRUE(out.create("out.txt"));
  std::string want;
  for (const auto& r : ranges) {
    in.copy(r[0], r[1], out);
    if (r[1] >= r[0]) want += line.substr(r[0] - 1, std::min(r[1], line.size()) - r[0] + 1);
  }
  ASSERT_TRUE((out.close()).ok());
  EXPECT_EQ(read_file("out.txt"), want);
  ASSERT_TRUE(in.next());
  EXPECT_EQ(in.line(), "next");
  EXPECT_FALSE(in.next());
}

}  // namespace
}  // namespace textpair
