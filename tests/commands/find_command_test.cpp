#include <gtest/gtest.h>

#include "commands/command_fixture.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::lf;
using testing::make_dir;
using testing::read_file;
using testing::write_file;

class FindCommandTest : public testing::CommandTest {
 protected:
  void SetUp() override {
    make_dir("oglasi_wget");
    write_file("oglasi_wget/oglasi_wget.html", "<html>\r\n<p>one</p>\r\nplain\n<P>Two\r\nx <p>three");
    write_file("list.txt", "prog.exe\r\nnotes.EXE.txt\r\naexe\r\n");
  }
};

TEST_F(FindCommandTest, WritesTheOutputForms) {
  struct Case {
    const char* line;
    std::string out;
    std::string errors;
  } cases[] = {
      {"find \"<p>\" oglasi_wget\\oglasi_wget.html",
       lf({"", "---------- OGLASI_WGET\\OGLASI_WGET.HTML", "<p>one</p>", "x <p>three"}), ""},
      {"find /i \"<p>\" OGLASI_WGET\\oglasi_wget.html",
       lf({"", "---------- OGLASI_WGET\\OGLASI_WGET.HTML", "<p>one</p>", "<P>Two", "x <p>three"}), ""},
      {"find /c \"<p>\" oglasi_wget\\oglasi_wget.html", lf({"", "---------- OGLASI_WGET\\OGLASI_WGET.HTML: 2"}), ""},
      {"find /c /i \"<p>\" oglasi_wget\\oglasi_wget.html", lf({"", "---------- OGLASI_WGET\\OGLASI_WGET.HTML: 3"}), ""},
      {"find /c \"nothing\" list.txt", lf({"", "---------- LIST.TXT: 0"}), ""},
      {"find \"\" list.txt", lf({"", "---------- LIST.TXT"}), ""},
      {"find \".exe\" list.txt", lf({"", "---------- LIST.TXT", "prog.exe"}), ""},
      {"find /v \".exe\" list.txt", lf({"", "---------- LIST.TXT", "notes.EXE.txt", "aexe"}), ""},
      {"find /c \"e\" list.txt oglasi_wget\\*.html",
       lf({"", "---------- LIST.TXT: 3", "", "---------- OGLASI_WGET\\OGLASI_WGET.HTML: 2"}), ""},
      {"find \"x\" nope.txt", "", "File not found - NOPE.TXT\n"},
      {"find x list.txt", "", "FIND: Parameter format not correct\n"},
      {"find /q \"x\" list.txt", "", "FIND: Parameter format not correct\n"},
      {"findstr /i \".exe\" list.txt", lf({"prog.exe", "notes.EXE.txt"}), ""},
      {"findstr \".exe\" list.txt", lf({"prog.exe"}), ""},
      {"findstr \".exe\" list.txt nope.txt", lf({"list.txt:prog.exe"}), "FINDSTR: Cannot open nope.txt\n"},
      {"findstr \"x\" nope.txt", "", "FINDSTR: Cannot open nope.txt\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.line), c.out) << c.line;
    EXPECT_EQ(errors_, c.errors) << c.line;
  }
}

TEST_F(FindCommandTest, RedirectedOutputIsAListFile) {
  EXPECT_EQ(run("find \"<p>\" oglasi_wget\\oglasi_wget.html > oglasi.txt"), "");
  EXPECT_EQ(read_file("oglasi.txt"),
            crlf({"", "---------- OGLASI_WGET\\OGLASI_WGET.HTML", "<p>one</p>", "x <p>three"}));
  EXPECT_EQ(run("cmd /c findstr /i \".exe\" list.txt >  check_02.txt"), "");
  EXPECT_EQ(read_file("check_02.txt"), crlf({"prog.exe", "notes.EXE.txt"}));
  // The header is upper-cased in ASCII only.
  write_file("\xC3\xA4rger.txt", "a\r\n");
  EXPECT_EQ(run("find /c \"a\" \xC3\xA4rger.txt"), lf({"", "---------- \xC3\xA4RGER.TXT: 1"}));
}

}  // namespace
}  // namespace textpair
