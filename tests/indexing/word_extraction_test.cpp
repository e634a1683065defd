#include "indexing/word_extraction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/records.h"
#include "common/word_records.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
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
      {"text between tags", {"<p style=\"color:red\">text here</p>"}, {"text 22 26|here 27 31"}},
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
      {"script block", {"<script>", "var abc = 1;", "</script>", " <br>after"}, {"-", "-", "-", "after 6 10"}},
      {"script on one line", {"<script>run()</script>", " <br>after"}, {"-", "after 6 10"}},
      {"blank between < and script", {"< script>", "abc def", "</script>"}, {"-", "-", "-"}},
      {"upper-case script is text", {"<SCRIPT>", "var abc"}, {"", "var 1 4|abc 5 7"}},
      {"< after the keyword fails the test", {"<  script <b>", "abc"}, {"", "abc 1 3"}},
      {"keyword after a closed tag", {"<b>script here</b>"}, {"script 4 10|here 11 15"}},
      {"upper-case style block",
       {"<STYLE>", "body {color:red}", "</STYLE>", " <br>after"},
       {"-", "-", "-", "after 6 10"}},
      {"style attribute opens no block", {"<p style=\"x\">", "body text"}, {"", "body 1 5|text 6 9"}},
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

class ExtractListedPages : public testing::WorkFolderTest {
 protected:
  // Extracts the listed pages into sorted.txt, and the words in text order
  // into wrd_01_03.txt.
  Flow extract() {
    ExternalSorter sorter("unsorted.txt", "sorted.txt", state_.failures);
    TextPlaceWriter text;
    text.create(kTextOrderWords);
    extract_listed_pages("dir_02.txt", sorter, state_.failures, &text);
    EXPECT_TRUE(text.close().ok());
    return sorter.settle(console_, sorter.finish());
  }
  // The records of sorted.txt, each with the column of its word as the
  // words in text order give it.
  struct Keyed {
    std::string key, word, line, column;
  };
  static std::vector<Keyed> sorted_records() {
    std::vector<std::string> columns;
    IoFailures failures;
    TextPlaceReader places(kTextOrderWords, failures);
    std::string place;
    std::vector<std::string> fields;
    while (places.next()) {
      places.place_record(place);
      parse_record(place, text_place_record::kFieldCount, fields);
      columns.push_back(fields[text_place_record::kColumn]);
    }
    std::vector<Keyed> all;
    for (const std::string& line : testing::split_crlf(read_file("sorted.txt"))) {
      if (line.empty()) continue;
      KeyedRecord r;
      EXPECT_TRUE(read_keyed_record(line, r)) << line;
      all.push_back({std::string(r.key), std::string(r.word), std::to_string(r.line),
                     r.ordinal < columns.size() ? columns[r.ordinal] : "?"});
    }
    return all;
  }
  testing::PipedConsole console_;
  RunState state_;
};

TEST_F(ExtractListedPages, KeysTheWordsOfEveryListedPage) {
  write_file("dir_02.txt", crlf({"page_01.htm", "PAGE_02.HTM", "notes.txt"}));
  write_file("page_01.htm", crlf({"<title>", "compare.htm", "</title>", "<script>", "x()", "</script>",
                                  " <br>Hello \"big\" world. a&NBSP;b"}));
  write_file("page_02.htm", "<p>Line two\n");
  ASSERT_EQ(extract(), Flow::kGoOn);
  // Words holding a no-break space entity are left out.
  EXPECT_EQ(read_file("sorted.txt"),
            crlf({R"(big"page_01.htm"000007big"00000002)", R"(compare.htm"page_01.htm"000002compare.htm"00000000)",
                  R"(hello"page_01.htm"000007Hello"00000001)", R"(line"page_02.htm"000001Line"00000004)",
                  R"(two"page_02.htm"000001two"00000005)", R"(world."page_01.htm"000007world."00000003)"}));
  EXPECT_EQ(read_file(kTextOrderWords),
            crlf({"Ppage_01.htm", "L         2", "     1|compare.htm", "L         7", "     6|Hello", "    13|big",
                  "    18|world.", "Ppage_02.htm", "L         1", "     4|Line", "     9|two"}));
}

// Records of one word sort by page, line and column in text order, on a
// line longer than 999,999 bytes too.
TEST_F(ExtractListedPages, ColumnsOfALineOverAMillionBytesSortInTextOrder) {
  std::string long_line = "<p>" + std::string(999985 - 4, ' ');
  for (int i = 0; i < 10; ++i) long_line += " abc" + std::to_string(i % 2);
  write_file("dir_02.txt", crlf({"page_01.htm"}));
  write_file("page_01.htm", crlf({"<p>abc0 two", long_line, "<p>abc0"}));
  ASSERT_EQ(extract(), Flow::kGoOn);

  std::string columns;
  for (const auto& fields : sorted_records()) {
    columns += "[" + fields.word + " " + std::string(2 - std::min<std::size_t>(2, fields.line.size()), ' ') +
               fields.line + " " + fields.column + "]";
  }
  EXPECT_EQ(columns,
            "[abc0  1      4][abc0  2  999986][abc0  2  999996][abc0  2 1000006][abc0  2 1000016][abc0  2 1000026]"
            "[abc0  3      4]"
            "[abc1  2  999991][abc1  2 1000001][abc1  2 1000011][abc1  2 1000021][abc1  2 1000031]"
            "[two  1      9]");
}

// A record field is read back with at most kMaxFieldBytes bytes: longer
// words are cut to that before they are keyed and sorted, so words alike in
// their first bytes share a key and sort by page and line.
TEST_F(ExtractListedPages, LongWordsAreCutBeforeTheyAreKeyed) {
  const std::string stem(kMaxFieldBytes, 'a');
  write_file("dir_02.txt", crlf({"page_01.htm"}));
  write_file("page_01.htm",
             crlf({"<p>" + stem + "z", "<p>" + stem + "b " + std::string(kMaxFieldBytes, 'c') + "&nbsp;"}));
  ASSERT_EQ(extract(), Flow::kGoOn);
  std::string seen;
  for (const auto& fields : sorted_records()) {
    seen += "[" + std::to_string(fields.key.size()) + " " + fields.word.substr(0, 2) + " " +
            std::string(2 - std::min<std::size_t>(2, fields.line.size()), ' ') + fields.line + "]";
  }
  EXPECT_EQ(seen, "[4096 aa  1][4096 aa  2][4096 cc  2]");
}

TEST_F(ExtractListedPages, MissingPageGivesNoRecords) {
  write_file("dir_02.txt", crlf({"page_01.htm"}));
  ASSERT_EQ(extract(), Flow::kGoOn);
  EXPECT_EQ(read_file("sorted.txt"), "");
}

}  // namespace
}  // namespace textpair
