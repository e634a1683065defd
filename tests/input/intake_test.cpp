#include "input/intake.h"

#include <gtest/gtest.h>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::read_file;
using testing::write_file;

TEST(IntakeName, CleansInputNamesAndRefusesOthers) {
  struct Case {
    const char* listed;
    const char* want;  // nullptr: not an input file
  } cases[] = {
      {"abc.txt", "abc.txt"},
      {"my notes.txt", "my_notes.txt"},
      {" spaced .txt ", "spaced.txt"},
      {"a.b.htm", "a_b.htm"},
      {"report.html", "report.html"},
      {"Notes.TXT", "Notes.TXT"},
      {"page_1.txt", "file_page_1.txt"},
      {"Page_1.TXT", "file_Page_1.TXT"},
      {"\xC3\xBC.txt", "__.txt"},
      {"x.htm.txt", "x_htm.txt"},     // ".txt" wins over an earlier ".htm"
      {"notes.doc", nullptr},
      {"txt", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    std::optional<std::string> got = intake_name_of(c.listed);
    if (c.want == nullptr) {
      EXPECT_FALSE(got.has_value()) << c.listed;
    } else {
      EXPECT_EQ(got.value_or("<none>"), c.want) << c.listed;
    }
  }
}

TEST(ClashBase, HtmFirstThenTxt) {
  struct Case {
    const char* name;
    const char* want;
  } cases[] = {
      {"a.htm", "a"}, {"a.txt", "a"}, {"a.html", "a"}, {"A.HTM", "A"}, {"a.txt.htm", "a.txt"}, {"b.htm.txt", "b"},
  };
  for (const Case& c : cases) EXPECT_EQ(clash_base(c.name).value_or("<none>"), c.want) << c.name;
  EXPECT_FALSE(clash_base("notes.doc").has_value());
}

class HtmToTextTest : public testing::WorkFolderTest {};

TEST_F(HtmToTextTest, KeepsTheTrimmedBodyLines) {
  struct Case {
    const char* what;
    std::string htm;
    std::string want;
  } cases[] = {
      {"body and pre lines dropped, lines trimmed",
       "<html>\r\n<head><title>t</title></head>\r\n  <BODY>  \r\n<pre>\r\n   one  \r\n\ttwo\r\n</PRE>\r\n"
       "</body>\r\nafter\r\n",
       crlf({"one", "\ttwo"})},
      {"LF line ends, no end tag", "<body>\na\n\nb", crlf({"a", "", "b"})},
      {"a body tag with attributes is not seen", "<body class=\"x\">\ntext\n</body>\n", ""},
      {"a body tag sharing its line is not seen", "<body>text\nmore\n", ""},
      {"markup inside the body stays", "<body>\n<p>a &amp; b</p>\n</body>\n", crlf({"<p>a &amp; b</p>"})},
      {"UTF-8 kept byte for byte", "<body>\n\xEF\xBB\xBF\xC3\xA4\n</body>\n", crlf({"\xEF\xBB\xBF\xC3\xA4"})},
      {"empty page", "", ""},
  };
  for (const Case& c : cases) {
    write_file("page.htm", c.htm);
    htm_to_text("page.htm", "page.txt");
    EXPECT_EQ(read_file("page.txt"), c.want) << c.what;
  }
}

}  // namespace
}  // namespace textpair
