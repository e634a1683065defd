#include "compare/comparison_page.h"

#include <gtest/gtest.h>

#include "common/lines.h"
#include "common/run_state.h"
#include "test_util/phase_run.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::file_exists;
using testing::make_dir;
using testing::read_file;
using testing::write_file;

class ColumnTest : public testing::WorkFolderTest {};

TEST_F(ColumnTest, OneLinePerInputLineTrimmedOfBlanksOnly) {
  struct Case {
    const char* what;
    std::string text;
    std::string want;
  } cases[] = {
      {"blanks trimmed, empty line kept", "a\r\n\r\n  b  \r\n", crlf({" <br>a", " <br>", " <br>b"})},
      {"markup passes through", "x < y & z > w\n<b>bold</b>\n", crlf({" <br>x < y & z > w", " <br><b>bold</b>"})},
      {"tabs stay", "\tindented\t\n", crlf({" <br>\tindented\t"})},
      {"blanks only", "    \n", crlf({" <br>"})},
      {"last line without line end", "one\ntwo", crlf({" <br>one", " <br>two"})},
      {"UTF-8 and a byte-order mark", "\xEF\xBB\xBF\xC3\xA4\n", crlf({" <br>\xEF\xBB\xBF\xC3\xA4"})},
      {"empty file", "", ""},
  };
  for (const Case& c : cases) {
    write_file("in.txt", c.text);
    {
      LineWriter page;
      ASSERT_TRUE(page.create("out.htm"));
      IoFailures failures;
      write_column(page, "in.txt", failures);
      EXPECT_FALSE(failures.any());
    }
    EXPECT_EQ(read_file("out.htm"), c.want) << c.what;
  }
}

// A text that cannot be read gives no lines, and is noted for the run's
// failure screen instead of making an empty column unnoticed.
TEST_F(ColumnTest, AFileThatCannotBeReadGivesNoLinesAndIsNoted) {
  IoFailures failures;
  {
    LineWriter page;
    ASSERT_TRUE(page.create("out.htm"));
    write_column(page, "txt_wrk\\missing.txt", failures);
  }
  EXPECT_EQ(read_file("out.htm"), "");
  ASSERT_TRUE(failures.any());
  EXPECT_EQ(failures.first_kind(), FailureKind::kRead);
}

class ComparisonPageTest : public testing::WorkFolderTest {
 protected:
  void SetUp() override {
    make_dir("txt_wrk");
    make_dir("htm_wrk");
  }
  Flow write_page(const std::string& keys = "") {
    RunState state;
    state.table_width = "80%";
    testing::PhaseRun run = testing::run_phase(write_comparison_page, state, keys);
    output_ = run.output;
    return run.flow;
  }
  std::string output_;
};

// The page head up to the first cell.
std::vector<std::string> head_lines(const std::string& width) {
  const std::string address = publisher_address();
  return {
      "<HTML>",
      "<head>",
      "<meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">",
      "<title>",
      "compare.htm",
      "</title>",
      "</head>",
      "<body>",
      "<br>",
      "<br>",
      "<br> <b> PROMOTE YOUR BRAND WITH OUR PROGRAM </b>",
      "<br>",
      "<br> Our program are intended for companis who want to consolidate their brand through free distribution of "
      "the program.",
      "<br> Advertising messages and search links in the program are tailored to each customer individually.",
      "<br>",
      "<br> PLACEMENT OF ADVERTISING MESSAGES",
      "<br> The program reads advertising messages from the web address specified by the buyer when ordering.",
      "<br> Advertisement messages are placed in the all-words index and other output files.",
      "<br>",
      "<br> GOOGLE SEARCH PHRASES",
      "<br> The program generates Google search strings for all words in the all-words index and target the web "
      "address specified by the buyer when ordering.",
      "<br>",
      "<br> Remember: the all-words index file is accessible while reading output file, just by double-clicking on "
      "any word.",
      "<br> More info at:",
      "<br> <a href=\"" + address + "\">" + address + "</a>",
      "<br>",
      "<br><br>",
      "<b>Just double-clicking on any word is enough to access the index of all words (full-text search).</b>",
      "<table style=\"width:" + width + "\">",
      "<tr>",
      "<td>",
  };
}

TEST_F(ComparisonPageTest, WholePage) {
  write_file("txt_wrk.list", crlf({"  left.txt ", "right.txt"}));
  write_file("txt_wrk/left.txt", "a\r\n\r\n  b  \r\n");
  write_file("txt_wrk/right.txt", "");
  ASSERT_EQ(write_page(), Flow::kGoOn);
  std::vector<std::string> want = head_lines("80%");
  for (const char* line :
       {" <br>a", " <br>", " <br>b", "</td>", "<td>", "</td>", "</tr>", "</table>", "<br>", "</body>", "</html>"}) {
    want.push_back(line);
  }
  EXPECT_EQ(read_file("compare.htm"), crlf(want));
  EXPECT_EQ(read_file("htm_wrk/compare.htm"), crlf(want));
  EXPECT_EQ(output_, "");
}

TEST_F(ComparisonPageTest, MissingFileScreen) {
  const std::string screen =
      "\n----------------------------\nCheck the contents of the txt_wrk subfolder.\nMust contain a 2 *.txt file.\n\n"
      "<...> any key to continue and end\n";
  struct Case {
    const char* what;
    std::string list;
    bool page_begun;
  } cases[] = {
      {"no list", "", false},
      {"first line not a text file", crlf({"left.doc", "right.txt"}), false},
      {"one name", crlf({"left.txt"}), true},
      {"second line empty", crlf({"left.TXT", ""}), true},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    SetUp();
    if (!c.list.empty()) write_file("txt_wrk.list", c.list);
    write_file("txt_wrk/left.txt", "l\r\n");
    EXPECT_EQ(write_page("k"), Flow::kEnd) << c.what;
    EXPECT_EQ(output_, screen) << c.what;
    EXPECT_EQ(file_exists("compare.htm"), c.page_begun) << c.what;
    EXPECT_FALSE(file_exists("htm_wrk/compare.htm")) << c.what;
    if (c.page_begun) {
      std::vector<std::string> want = head_lines("80%");
      want.push_back(" <br>l");
      want.push_back("</td>");
      EXPECT_EQ(read_file("compare.htm"), crlf(want)) << c.what;
    }
  }
}

}  // namespace
}  // namespace textpair
