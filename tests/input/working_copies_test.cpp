#include "input/working_copies.h"

#include <gtest/gtest.h>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::write_file;

TEST(SearchSite, TakesTheFirstItemOfTheReply) {
  struct Case {
    const char* reply;
    const char* want;
  } cases[] = {
      {"", ""},
      {"www.example.org", "www.example.org"},
      {"  \twww.example.org", "www.example.org"},
      {"WWW.Example.ORG  ", "WWW.Example.ORG  "},
      {"a,b", "a"},
      {",b", ""},
      {"\"a,b\",c", "a,b"},
      {"\"open", "open"},
      {"https://x.example/path", "https://x.example/path"},
  };
  for (const Case& c : cases) EXPECT_EQ(search_site_from(c.reply), c.want) << c.reply;
}

class SameLinesTest : public testing::WorkFolderTest {};

TEST_F(SameLinesTest, OnlyIdenticalLinesAreTheSame) {
  struct Case {
    const char* a;
    const char* b;
    bool want;
  } cases[] = {
      {"one\r\ntwo\r\n", "one\r\ntwo\r\n", true},
      {"one\r\ntwo\r\n", "one\ntwo", true},          // line ends do not count
      {"", "", true},
      {"one\r\n", "one\r\ntwo\r\n", false},           // the opening lines of the other
      {"one\r\ntwo\r\n", "one\r\n", false},
      {"", "one\r\n", false},
      {"one\r\ntwo\r\n", "one\r\nTwo\r\n", false},
      {"one\r\n\r\n", "one\r\n", false},              // an empty last line is a line
      {"a \r\n", "a\r\n", false},
  };
  for (const Case& c : cases) {
    write_file("a.txt", c.a);
    write_file("b.txt", c.b);
    EXPECT_EQ(same_lines("a.txt", "b.txt"), c.want) << c.a << " | " << c.b;
  }
}

}  // namespace
}  // namespace textpair
