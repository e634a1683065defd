#include "site/annotated_pages.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/run_state.h"
#include "common/word_records.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::read_file;
using testing::records;
using testing::split_crlf;
using testing::write_file;

std::vector<std::string> occ(const std::string& page, int line, int pos, const std::string& word, const std::string& id,
                             int n, const std::string& next = "") {
  using namespace next_page_record;
  std::vector<std::string> r(kFieldCount);
  std::tie(r[kPage], r[kLine], r[kColumn]) = std::tuple(page, line_field(line), column_field(pos, pos));
  std::tie(r[kWord], r[kId], r[kN], r[kNext]) = std::tuple(word, id, std::to_string(n), next);
  return r;
}

const std::vector<std::string> kScript = {
    "<script language=\"javascript\">",
    "if (history.length > 0)",
    "{",
    "document.writeln(\"<style type=\\\"text/css\\\">\");",
    "document.writeln(self.location.hash + \" { color: red } \");",
    "document.writeln(self.location.hash + \" { font-size: 140% } \");",
    "document.writeln(self.location.hash + \" { font-weight: bold } \");",
    "document.writeln(self.location.hash + \" { display: inline } \");",
    "document.writeln(\"</style>\");",
    "}",
    "</script>",
};

std::string span(const std::string& page, const std::string& id, const std::string& word) {
  return "<span id=\"" + id + "\" type = \"text/javascript\"ondblclick = \"window.open('" + page + "#" + id +
         "'); window.event.cancelbubble = true;\">" + word + "</span>";
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Every case runs twice: with page lines held whole, and with every line of
// more than 16 bytes read in pieces, as a line of many megabytes is.
class AnnotatedPagesTest : public testing::WorkFolderTest, public ::testing::WithParamInterface<std::size_t> {
 protected:
  // The word lists leave each group's list in the wrd_24 folder.
  void SetUp() override { testing::make_dir("wrd_24"); }
  std::string annotate(int group) {
    Context ctx{console_.console(), state_};
    annotate_group(ctx, group, GetParam());
    return read_file("page_0" + std::to_string(written_page_) + ".htm");
  }
  testing::PipedConsole console_;
  RunState state_;
  int written_page_ = 1;
};

// The worked example: "Hello world." where world is the word's last
// occurrence on the page and occurs again on page_04.htm.
TEST_P(AnnotatedPagesTest, WritesTheOccurrenceOfTheExampleLineByLine) {
  write_file("group_page_all_sort.txt", crlf({"page_01.htm", "page_04.htm"}));
  write_file("page_01.htm", crlf({"<body>", "Hello world.", "</body>"}));
  write_file("wrd_24/wrd_24_1.txt", records({occ("page_01.htm", 2, 7, "world", "id00000042", 3, "page_04.htm")}));
  const auto lines = split_crlf(annotate(1));
  const std::vector<std::string> want = {
      "Hello ",
      span("page_01.htm", "id00000042", "world"),
      "<span hidden id=\"id00000042\">",
      "(3)(<a href=\"#id00000042_3\"></a>",
      "<a href=\"i_1.htm#id00000042\">i</a>,",
      "<a href=\"s_1.htm#id00000042_3\">s</a>,",
      "<a href=\"files_list.htm\">c</a>,",
      "<a href=\"page_04.htm#id00000042\">&gt;&gt;)</a></span>",
      "<span id=\"id00000042_3\"></span>",
      ".",
  };
  // Script, "<br>", Next and Content links, then the body line.
  ASSERT_GE(lines.size(), kScript.size() + 4 + want.size());
  const std::size_t first = kScript.size() + 4;
  EXPECT_EQ(std::vector<std::string>(lines.begin() + first, lines.begin() + first + want.size()), want);
  // The rewritten page takes the page file's place; no scratch copy stays.
  EXPECT_FALSE(testing::file_exists("page_01_02.htm"));
}

// Whether a word occurs again later on its page is taken from the flags the
// word lists leave in wrd_25_K, one a record; a record past the last flag,
// or in a file that is not a flag file, gets no link to a later occurrence.
TEST_P(AnnotatedPagesTest, TakesTheLaterOccurrenceFlagsFromTheirFile) {
  write_file("group_page_all_sort.txt", crlf({"page_01.htm"}));
  const std::string page = crlf({"<body>", "Hello world world.", "</body>"});
  write_file("wrd_24/wrd_24_1.txt", records({occ("page_01.htm", 2, 7, "world", "id00000042", 3),
                                             occ("page_01.htm", 2, 13, "world", "id00000042", 4)}));
  const std::string linked = "(3)(<a href=\"#id00000042_4\">&gt;</a>,";
  const std::string unlinked = "(3)(<a href=\"#id00000042_3\"></a>";
  const std::string last_linked = "(4)(<a href=\"#id00000042_5\">&gt;</a>,";
  const std::string last_unlinked = "(4)(<a href=\"#id00000042_4\"></a>";
  struct Case {
    const char* flags;  // the bytes of wrd_25_1.txt
    const std::string& first;
    const std::string& second;
  } cases[] = {
      {"10\r\n", linked, last_unlinked},
      {"01\r\n", unlinked, last_linked},  // the flags are followed as they stand
      {"00\r\n", unlinked, last_unlinked},
      {"1\r\n", linked, last_unlinked},  // the second record is past the last flag
      {"", unlinked, last_unlinked},
      {"\"id00000042\",\"page_01.htm\",\"4\"\r\n", unlinked, last_unlinked},  // not a flag file
  };
  for (const Case& c : cases) {
    write_file("page_01.htm", page);
    write_file("wrd_25_1.txt", c.flags);
    const std::string got = annotate(1);
    EXPECT_NE(got.find(c.first), std::string::npos) << c.flags;
    EXPECT_NE(got.find(c.second), std::string::npos) << c.flags;
    EXPECT_FALSE(testing::file_exists("wrd_25_1.txt")) << "the flags have no later reader";
  }
}

// Three pages in two groups: navigation of the first, middle and last page,
// hidden blocks with and without a next occurrence and a next page, title
// words left plain, Pages_list, and the bottom links before </body>.
TEST_P(AnnotatedPagesTest, RewritesAGroupOfTwoPagesAndTheLastGroup) {
  write_file("group_page_all_sort.txt", crlf({"page_01.htm", "page_02.htm", "page_03.htm"}));
  write_file("page_01.htm", crlf({"<html>", "<head>", "<title>", "compare.htm", "</title>", "</head>", "<body>",
                                  "<br>Hello world.", "<br>world again, Pages_list", "</body>", "</html>"}));
  write_file("page_02.htm", crlf({"<HTML><BODY>", "some world", "</BODY></HTML>"}));
  write_file("page_03.htm", crlf({"<body>", "word", "</body>"}));
  write_file("wrd_24/wrd_24_1.txt", records({occ("page_01.htm", 4, 1, "compare.htm", "id00000001", 1),
                                             occ("page_01.htm", 8, 11, "world", "id00000042", 1, "page_02.htm"),
                                             occ("page_01.htm", 9, 5, "world", "id00000042", 2, "page_02.htm"),
                                             occ("page_01.htm", 9, 11, "again,", "id00000007", 1),
                                             occ("page_01.htm", 9, 18, "Pages_list", "id00000050", 1),
                                             occ("page_02.htm", 2, 6, "world", "id00000042", 3)}));
  // Only the first "world" of page_01.htm has a later one on its page.
  write_file("wrd_25_1.txt", "010000\r\n");
  write_file("wrd_24/wrd_24_2.txt", records({occ("page_03.htm", 2, 1, "word", "id00000060", 1)}));

  const auto page1 = split_crlf(annotate(1));
  const std::vector<std::string> nav1 = {"<a href=\"page_02.htm\"> Next </a> ",
                                         "<a href=\"files_list.htm\"> Content </a><br>"};
  const std::vector<std::string> want1 =
      std::vector<std::string>{"<html>", "<head>", "<title>", "", "compare.htm", "", "</title>", "</head>"} + kScript +
      std::vector<std::string>{"<br>"} + nav1 +
      std::vector<std::string>{
          "<body>",
          "<br>Hello ",
          span("page_01.htm", "id00000042", "world"),
          "<span hidden id=\"id00000042\">",
          "(1)(<a href=\"#id00000042_2\">&gt;</a>,",
          "<a href=\"i_1.htm#id00000042\">i</a>,",
          "<a href=\"s_1.htm#id00000042_1\">s</a>,",
          "<a href=\"files_list.htm\">c</a>,",
          "<a href=\"page_02.htm#id00000042\">&gt;&gt;)</a></span>",
          "<span id=\"id00000042_1\"></span>",
          ".",
          "<br>",
          span("page_01.htm", "id00000042", "world"),
          "<span hidden id=\"id00000042\">",
          "(2)(<a href=\"#id00000042_2\"></a>",
          "<a href=\"i_1.htm#id00000042\">i</a>,",
          "<a href=\"s_1.htm#id00000042_2\">s</a>,",
          "<a href=\"files_list.htm\">c</a>,",
          "<a href=\"page_02.htm#id00000042\">&gt;&gt;)</a></span>",
          "<span id=\"id00000042_2\"></span>",
          " ",
          span("page_01.htm", "id00000007", "again,"),
          "<span hidden id=\"id00000007\">",
          "(1)(<a href=\"#id00000007_1\"></a>",
          "<a href=\"i_1.htm#id00000007\">i</a>,",
          "<a href=\"s_1.htm#id00000007_1\">s</a>,",
          "<a href=\"files_list.htm\">c)</a></span>",
          "<span id=\"id00000007_1\"></span>",
          " ",
          span("page_01.htm", "id00000050", "Pages_list"),
          "",
          "<br>",
          "<a href=\"page_02.htm\"> Next </a>",
          "<a href=\"files_list.htm\"> Content </a><br>",
          "</body>",
          "</html>",
      };
  EXPECT_EQ(page1, want1);

  written_page_ = 2;
  const auto page2 = split_crlf(read_file("page_02.htm"));
  const std::vector<std::string> want2 = kScript + std::vector<std::string>{
                                                       "<br>",
                                                       "<a href=\"page_01.htm\"> Before </a> ",
                                                       "<a href=\"page_03.htm\"> Next </a> ",
                                                       "<a href=\"files_list.htm\"> Content </a><br>",
                                                       "<HTML><BODY>",
                                                       "some ",
                                                       span("page_02.htm", "id00000042", "world"),
                                                       "<span hidden id=\"id00000042\">",
                                                       "(3)(<a href=\"#id00000042_3\"></a>",
                                                       "<a href=\"i_1.htm#id00000042\">i</a>,",
                                                       "<a href=\"s_1.htm#id00000042_3\">s</a>,",
                                                       "<a href=\"files_list.htm\">c)</a></span>",
                                                       "<span id=\"id00000042_3\"></span>",
                                                       "",
                                                       "<br>",
                                                       "<a href=\"page_01.htm\"> Before </a> ",
                                                       "<a href=\"page_03.htm\"> Next </a> ",
                                                       "<a href=\"files_list.htm\"> Content </a><br>",
                                                       "</BODY></HTML>",
                                                   };
  EXPECT_EQ(page2, want2);

  written_page_ = 3;
  const auto page3 = split_crlf(annotate(2));
  const std::vector<std::string> nav3 = {"<br>", "<a href=\"page_02.htm\"> Before </a> ",
                                         "<a href=\"files_list.htm\"> Content </a><br>"};
  const std::vector<std::string> want3 = kScript + nav3 +
                                         std::vector<std::string>{
                                             "<body>",
                                             "",
                                             span("page_03.htm", "id00000060", "word"),
                                             "<span hidden id=\"id00000060\">",
                                             "(1)(<a href=\"#id00000060_1\"></a>",
                                             "<a href=\"i_2.htm#id00000060\">i</a>,",
                                             "<a href=\"s_2.htm#id00000060_1\">s</a>,",
                                             "<a href=\"files_list.htm\">c)</a></span>",
                                             "<span id=\"id00000060_1\"></span>",
                                             "",
                                         } +
                                         nav3 + std::vector<std::string>{"</body>"};
  EXPECT_EQ(page3, want3);
}

TEST_P(AnnotatedPagesTest, TopBlockGoesBeforeTheFirstBodyTag) {
  struct Case {
    const char* first_line;
    bool gets_top_block;
  } cases[] = {
      {"<body>", true},   {"<BODY bgcolor=\"white\">", true}, {"<p><Body>", true},
      {"< body>", false}, {"somebody <body>", false},         {"<nobody>", false},
  };
  write_file("group_page_all_sort.txt", crlf({"page_01.htm"}));
  write_file("wrd_24/wrd_24_1.txt", records({occ("page_01.htm", 2, 1, "word", "id00000000", 1)}));
  for (const Case& c : cases) {
    write_file("page_01.htm", crlf({c.first_line, "word", "</body>"}));
    const auto lines = split_crlf(annotate(1));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front() == kScript.front(), c.gets_top_block) << c.first_line;
  }
}

// Words between a line holding "<title" and the next holding "</title>"
// stay plain text: markup there would show in the browser's tab title.
TEST_P(AnnotatedPagesTest, TitleWordsStayPlain) {
  write_file("group_page_all_sort.txt", crlf({"page_01.htm"}));
  write_file("page_01.htm", crlf({"<title>One Two</title>", "<body>", "One", "</body>"}));
  write_file("wrd_24/wrd_24_1.txt", records({occ("page_01.htm", 1, 8, "One", "id00000005", 1),
                                             occ("page_01.htm", 3, 1, "One", "id00000005", 2)}));
  const auto lines = split_crlf(annotate(1));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
            (std::vector<std::string>{"<title>", "One", " Two</title>"}));
  EXPECT_EQ(lines[3], kScript.front());
  // The title occurrence is plain text, without an anchor of its own.
  const std::string text = read_file("page_01.htm");
  EXPECT_NE(text.find(span("page_01.htm", "id00000005", "One")), std::string::npos);
  EXPECT_NE(text.find("(2)(<a href=\"#id00000005_2\"></a>"), std::string::npos);
  EXPECT_EQ(text.find("id00000005_1"), std::string::npos);
}

// Words that reach the writer out of text order on their line: the text
// before a word that lies behind the last one is not written, and no byte
// of the line is written twice.
TEST_P(AnnotatedPagesTest, AWordOutOfOrderWritesNoTextTwice) {
  write_file("group_page_all_sort.txt", crlf({"page_01.htm"}));
  write_file("page_01.htm", crlf({"<body>", "alpha beta gamma delta", "</body>"}));
  write_file("wrd_24/wrd_24_1.txt", records({occ("page_01.htm", 2, 12, "gamma", "id00000002", 1),
                                             occ("page_01.htm", 2, 1, "alpha", "id00000000", 1),
                                             occ("page_01.htm", 2, 18, "delta", "id00000001", 1)}));
  std::string text;
  for (const std::string& line : split_crlf(annotate(1))) {
    if (line.find("<span") == std::string::npos && line.find("<a ") == std::string::npos) text += line + "|";
  }
  EXPECT_NE(text.find("<body>|alpha beta || ||<br>|"), std::string::npos) << text;
}

TEST_P(AnnotatedPagesTest, AnEmptyGroupChangesNoPage) {
  write_file("group_page_all_sort.txt", crlf({"page_01.htm", "page_02.htm"}));
  write_file("wrd_24/wrd_24_2.txt", "");
  Context ctx{console_.console(), state_};
  annotate_group(ctx, 2, GetParam());
  EXPECT_FALSE(testing::file_exists("page_01_02.htm"));
  EXPECT_FALSE(testing::file_exists("page_02_02.htm"));
}

INSTANTIATE_TEST_SUITE_P(HeldBytes, AnnotatedPagesTest, ::testing::Values(kHeldPageLineBytes, std::size_t{16}));

}  // namespace
}  // namespace textpair
