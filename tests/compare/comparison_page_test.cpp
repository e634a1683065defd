#include "compare/comparison_page.h"

#include <gtest/gtest.h>

#include "common/lines.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
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
      write_column(page, "in.txt");
    }
    EXPECT_EQ(read_file("out.htm"), c.want) << c.what;
  }
}

TEST_F(ColumnTest, AFileThatCannotBeReadGivesNoLines) {
  {
    LineWriter page;
    ASSERT_TRUE(page.create("out.htm"));
    write_column(page, "txt_wrk\\missing.txt");
  }
  EXPECT_EQ(read_file("out.htm"), "");
}

}  // namespace
}  // namespace textpair
