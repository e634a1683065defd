#include "indexing/word_extraction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/records.h"
#include "test_util/file_size_limit.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::read_file;
using testing::write_file;

struct PageCase {
  const char* name;
  std::vector<std::string> lines;
  std::vector<std::string> want;
};

// Scans the lines as one page and shows each line's result: "-" for a
// skipped line, otherwise "word column scan_pos" per word, joined by "|".
std::vector<std::string> scan_page(const std::vector<std::string>& lines, ScanState state = {}) {
  std::vector<std::string> out;
  std::vector<CutWord> words;
  for (const std::string& line : lines) {
    if (!scan_line(line, state, words)) {
      out.push_back("-");
      continue;
    }
    std::string shown;
    for (const CutWord& w : words) {
      if (!shown.empty()) shown += "|";
      shown += w.word + " " + std::to_string(w.column) + " " + std::to_string(w.scan_pos);
    }
    out.push_back(shown);
  }
  return out;
}

TEST(ScanLine, CutsWordsBetweenTagsAndBlanks) {
  const PageCase cases[] = {
      {"column line", {" <br>Hello world."}, {"Hello 6 11|world. 12 17"}},
      {"title line", {"compare.htm"}, {"compare.htm 1 11"}},
      {"tag only", {"<HTML>"}, {""}},
      {"short words dropped", {" <br>a of 12 the"}, {"the 14 16"}},
      {"two-byte character and a letter", {" <br>\xc3\xa9x \xc3\xa9"}, {"\xc3\xa9x 6 9"}},
      {"quoted word", {" <br>\"quoted\" word"}, {"quoted 7 14|word 15 18"}},
      {"inner quote", {" <br>it\"s \"x\""}, {"it's 6 10"}},
      {"text between tags",
       {"<p style=\"color:red\">text here</p>"},
       {"text 22 26|here 27 31"}},
      {"link text cut word by word",
       {" <br>Visit <a href=\"x\">our site</a> now"},
       {"Visit 6 11|our 24 27|site 28 32|now 37 39"}},
      {"link address abandons the line",
       {"<br> <a href=\"http://www.textpair.example\">http://www.textpair.example</a> more"},
       {""}},
      {"entity kept here", {" <br>&nbsp;&nbsp;"}, {"&nbsp;&nbsp; 6 17"}},
      {"text running into a tag at line start", {"Hello<br>there"}, {"Hello 1 6|there 10 14"}},
  };
  for (const PageCase& c : cases) EXPECT_EQ(scan_page(c.lines), c.want) << c.name;
}

TEST(ScanLine, LeavesOutBlocksAndLinkLines) {
  const PageCase cases[] = {
      {"script block",
       {"<script>", "var abc = 1;", "</script>", " <br>after"},
       {"-", "-", "-", "after 6 10"}},
      {"script on one line", {"<script>run()</script>", " <br>after"}, {"-", "after 6 10"}},
      {"blank between < and script", {"< script>", "abc def", "</script>"}, {"-", "-", "-"}},
      {"upper-case script is text", {"<SCRIPT>", "var abc"}, {"", "var 1 4|abc 5 7"}},
      {"< after the keyword fails the test", {"<  script <b>", "abc"}, {"", "abc 1 3"}},
      {"keyword after a closed tag", {"<b>script here</b>"}, {"script 4 10|here 11 15"}},
      {"upper-case style block", {"<STYLE>", "body {color:red}", "</STYLE>", " <br>after"},
       {"-", "-", "-", "after 6 10"}},
      {"style attribute opens no block",
       {"<p style=\"x\">", "body text"},
       {"", "body 1 5|text 6 9"}},
      {"numbered link above 2000", {" <br>see more <a href=\"#2001\">x</a>"}, {"-"}},
      {"numbered link of 2000", {" <br>see more <a href=\"#2000\">x</a>"}, {"see 6 9|more 10 14"}},
      {"numbered link with a blank", {" <br>see more <a href =\"#2001\">x</a>"}, {"-"}},
      {"look_at: before a link", {" <br>look_at: <a href=\"x\">abc</a>"}, {"-"}},
      {"look_at: without a link", {" <br>look_at: abc"}, {"look_at: 6 14|abc 15 17"}},
  };
  for (const PageCase& c : cases) EXPECT_EQ(scan_page(c.lines), c.want) << c.name;
}

TEST(ScanLine, CarriesOpenTagsAcrossLines) {
  const PageCase cases[] = {
      {"tag over three lines",
       {" <br>one <span", "class=x", "id=y>two three"},
       {"one 6 9", "-", "two 6 9|three 10 14"}},
      {"line that only opens a tag", {"<div class=x", "y=1>abc"}, {"-", "abc 5 7"}},
      {"< as the last byte", {" <br>foo bar<", "x>abc"}, {"foo 6 9|bar 10 13", "abc 3 5"}},
  };
  for (const PageCase& c : cases) EXPECT_EQ(scan_page(c.lines), c.want) << c.name;
}

TEST(ScanLine, CarryOutlivesThePageButBlocksDoNot) {
  ScanState state;
  std::vector<CutWord> words;
  EXPECT_FALSE(scan_line("<script>", state, words));
  state.start_page();
  EXPECT_TRUE(scan_line(" <br>open <i", state, words));
  EXPECT_TRUE(state.open_tag_carry);
  state.start_page();
  EXPECT_EQ(scan_page({"x>word", "<b>more"}, state), (std::vector<std::string>{"word 3 6", "more 4 7"}));
}

TEST(TraceEntry, PutsTheWordInColumn15) {
  EXPECT_EQ(trace_entry(11, "Hello"), " 11           Hello");
  EXPECT_EQ(trace_entry(1234567, "x"), " 1234567      x");
}

class ExtractListedPages : public testing::WorkFolderTest {};

TEST_F(ExtractListedPages, WritesRecordsAndTracesPageByPage) {
  write_file("dir_02.txt", crlf({"page_01.htm", "PAGE_02.HTM", "notes.txt"}));
  write_file("page_01.htm", crlf({"<title>", "compare.htm", "</title>", "<script>", "x()", "</script>",
                                  " <br>Hello \"big\" world."}));
  write_file("page_02.htm", "<p>Line two\n");
  EXPECT_EQ(extract_listed_pages("dir_02.txt"), Written::kWhole);

  EXPECT_EQ(read_file("wrd_01.txt"),
            crlf({R"("compare.htm","page_01.htm","         2","     1","compare.htm")",
                  R"("Hello","page_01.htm","         7","     6","Hello")",
                  R"("big","page_01.htm","         7","    13","big")",
                  R"("world.","page_01.htm","         7","    18","world.")",
                  R"("Line","page_02.htm","         1","     4","Line")",
                  R"("two","page_02.htm","         1","     9","two")"}));
  const std::string rule(49, '=');
  EXPECT_EQ(read_file("page_01.txt"),
            crlf({rule, "<title>", rule, "compare.htm", " 11           compare.htm", rule, "</title>", rule,
                  " <br>Hello \"big\" world.", " 11           Hello", " 17           big",
                  " 23           world."}));
  EXPECT_EQ(read_file("page_02.txt"), crlf({rule, "<p>Line two", " 8            Line", " 11           two"}));
}

// Records in text order sort by bytes in text order, on a line longer than
// 999,999 bytes too: the sorts that put the word lists into text order
// compare page, line and column as bytes.
TEST_F(ExtractListedPages, ColumnsOfALineOverAMillionBytesSortInTextOrder) {
  std::string long_line = "<p>" + std::string(999985 - 4, ' ');
  for (int i = 0; i < 10; ++i) long_line += " abc" + std::to_string(i);
  write_file("dir_02.txt", crlf({"page_01.htm"}));
  write_file("page_01.htm", crlf({"<p>one two", long_line, "<p>three"}));
  ASSERT_EQ(extract_listed_pages("dir_02.txt"), Written::kWhole);

  std::vector<std::string> fields;
  std::vector<std::string> places;  // page, line and column as written, in text order
  std::string columns;
  std::size_t at = 0;
  const std::string records = read_file("wrd_01.txt");
  for (std::size_t end; (end = records.find("\r\n", at)) != std::string::npos; at = end + 2) {
    parse_record(std::string_view(records).substr(at, end - at), 5, fields);
    places.push_back(fields[1] + "," + fields[2] + "," + fields[3]);
    columns += "[" + fields[3] + "]";
  }
  EXPECT_EQ(columns,
            "[     4][     8][ 999986][ 999991][ 999996][1000001][1000006][1000011][1000016][1000021][1000026]"
            "[1000031][     4]");
  std::vector<std::string> sorted = places;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, places);
}

TEST_F(ExtractListedPages, MissingPageGivesAnEmptyTrace) {
  write_file("dir_02.txt", crlf({"page_01.htm"}));
  ASSERT_EQ(extract_listed_pages("dir_02.txt"), Written::kWhole);
  EXPECT_EQ(read_file("wrd_01.txt"), "");
  EXPECT_TRUE(testing::file_exists("page_01.txt"));
  EXPECT_EQ(read_file("page_01.txt"), "");
}

TEST_F(ExtractListedPages, AFullDiskIsReported) {
  SKIP_WITHOUT_FULL_DISK();
  write_file("dir_02.txt", crlf({"page_01.htm"}));
  write_file("page_01.htm", "<p>Some words\n");
  for (const char* full : {"wrd_01.txt", "page_01.txt"}) {
    std::remove("wrd_01.txt");
    std::remove("page_01.txt");
    ASSERT_TRUE(testing::link_to_full_device(full)) << full;
    EXPECT_EQ(extract_listed_pages("dir_02.txt"), Written::kShort) << full;
  }
}

}  // namespace
}  // namespace textpair
