#include <gtest/gtest.h>

#include "commands/command_fixture.h"
#include "commands/file_match.h"

namespace textpair {
namespace {

using testing::list_names;
using testing::make_dir;
using testing::write_file;

class DelCommandTest : public testing::CommandTest {
 protected:
  static void lay_out() {
    make_dir("txt_in/keep");
    write_file("txt_in/a.txt", "");
    write_file("txt_in/f_01.txt", "");
    write_file("a.htm", "");
    write_file("b.html", "");
    write_file("c.txt", "");
    write_file("check_01.txt", "");
    write_file("check_02.txt", "");
    write_file("Oglasi.txt", "");
  }
};

TEST_F(DelCommandTest, DeletesWhatTheNameOrPatternMatches) {
  struct Case {
    const char* line;
    std::vector<std::string> left;     // the work folder afterwards
    std::vector<std::string> left_in;  // txt_in afterwards
  } cases[] = {
      {"del /q txt_in\\*.*",
       {"Oglasi.txt", "a.htm", "b.html", "c.txt", "check_01.txt", "check_02.txt", "txt_in"},
       {"keep"}},
      {"del /q TXT_IN", {"Oglasi.txt", "a.htm", "b.html", "c.txt", "check_01.txt", "check_02.txt", "txt_in"}, {"keep"}},
      {"del /q *.htm* > out_null.list",
       {"Oglasi.txt", "c.txt", "check_01.txt", "check_02.txt", "out_null.list", "txt_in"},
       {"a.txt", "f_01.txt", "keep"}},
      {"del /q *.htm",
       {"Oglasi.txt", "c.txt", "check_01.txt", "check_02.txt", "txt_in"},
       {"a.txt", "f_01.txt", "keep"}},
      {"del /q check_*.txt", {"Oglasi.txt", "a.htm", "b.html", "c.txt", "txt_in"}, {"a.txt", "f_01.txt", "keep"}},
      {"del /q oglasi.txt",
       {"a.htm", "b.html", "c.txt", "check_01.txt", "check_02.txt", "txt_in"},
       {"a.txt", "f_01.txt", "keep"}},
      {"del /q *.txt", {"a.htm", "b.html", "txt_in"}, {"a.txt", "f_01.txt", "keep"}},
      {"del c.txt a.htm",
       {"Oglasi.txt", "b.html", "check_01.txt", "check_02.txt", "txt_in"},
       {"a.txt", "f_01.txt", "keep"}},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    lay_out();
    EXPECT_EQ(run(c.line), "") << c.line;
    EXPECT_EQ(errors_, "") << c.line;
    EXPECT_EQ(list_names(), c.left) << c.line;
    EXPECT_EQ(list_names("txt_in"), c.left_in) << c.line;
  }
}

TEST_F(DelCommandTest, ComplainsWhenNothingMatches) {
  lay_out();
  std::string here = shown_path("");
  struct Case {
    const char* line;
    std::string errors;
  } cases[] = {
      {"del /q nothing*.txt", "Could Not Find " + here + "\\nothing*.txt\n"},
      {"del /q txt_in\\*.htm", "Could Not Find " + here + "\\txt_in\\*.htm\n"},
      {"del /q a.ht", "Could Not Find " + here + "\\a.ht\n"},
      {"del /q b.htm", "Could Not Find " + here + "\\b.htm\n"},  // a name without wildcards is taken as written
      {"del /q nofolder\\*.*", "The system cannot find the path specified.\n"},
      {"del /q", "The syntax of the command is incorrect.\n"},
      {"del /p x", "Invalid switch - /p\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.line), "") << c.line;
    EXPECT_EQ(errors_, c.errors) << c.line;
  }
  EXPECT_EQ(list_names().size(), 7u);
}

}  // namespace
}  // namespace textpair
