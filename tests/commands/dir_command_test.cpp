#include <gtest/gtest.h>

#include <regex>

#include "commands/command_fixture.h"
#include "commands/file_match.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::lf;
using testing::make_dir;
using testing::read_file;
using testing::write_file;

class DirCommandTest : public testing::CommandTest {
 protected:
  void SetUp() override {
    make_dir("compare_in");
    make_dir("txt_in");
    write_file("compare_in/b.txt", "12345");
    write_file("compare_in/A_b.txt", "1");
    write_file("compare_in/ab.TXT", std::string(1234, 'x'));
    write_file("compare_in/page.htm", "");
    write_file("compare_in/page.html", "");
    write_file("compare_in/notes", "");
    write_file("zeta.txt", "");
  }
  // The date and time column as "DATE".
  static std::string undated(const std::string& listing) {
    static const std::regex kDate(R"(\d\d/\d\d/\d{4}  \d\d:\d\d [AP]M)");
    return std::regex_replace(listing, kDate, "DATE");
  }
};

TEST_F(DirCommandTest, BareListingsInListingOrder) {
  struct Case {
    const char* line;
    std::vector<std::string> want;
  } cases[] = {
      {"dir /b compare_in\\ > l.txt", {"ab.TXT", "A_b.txt", "b.txt", "notes", "page.htm", "page.html"}},
      {"dir /b compare_in > l.txt", {"ab.TXT", "A_b.txt", "b.txt", "notes", "page.htm", "page.html"}},
      {"dir /b  COMPARE_IN\\*.txt > l.txt", {"ab.TXT", "A_b.txt", "b.txt"}},
      {"dir /b compare_in\\*.* > l.txt", {"ab.TXT", "A_b.txt", "b.txt", "notes", "page.htm", "page.html"}},
      {"dir /b compare_in\\*.htm > l.txt", {"page.htm", "page.html"}},
      {"dir /b compare_in\\*.htm* > l.txt", {"page.htm", "page.html"}},
      {"dir /b *. > l.txt", {"compare_in", "txt_in"}},
      {"dir /b *.  > l.txt", {"compare_in", "txt_in"}},
      {"dir /b > l.txt", {"compare_in", "l.txt", "txt_in", "zeta.txt"}},
      {"dir /b z*.TXT > l.txt", {"zeta.txt"}},
      {"dir /b compare_in\\b.txt > l.txt", {"b.txt"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.line), "") << c.line;
    EXPECT_EQ(errors_, "") << c.line;
    EXPECT_EQ(read_file("l.txt"), crlf(c.want)) << c.line;
  }
  EXPECT_EQ(run("dir /b txt_in\\*.txt"), "");
  EXPECT_EQ(errors_, "File Not Found\n");
  EXPECT_EQ(run("dir /b nofolder\\*.txt"), "");
  EXPECT_EQ(errors_, "The system cannot find the path specified.\n");
  EXPECT_EQ(run("dir /b compare_in\\b*"), "b.txt\n");
}

TEST_F(DirCommandTest, FullListingLayout) {
  std::string here = shown_path("");
  std::string out = undated(run("dir compare_in\\*.txt"));
  std::size_t last = out.rfind("               0 Dir(s)  ");
  ASSERT_NE(last, std::string::npos) << out;
  EXPECT_TRUE(std::regex_match(out.substr(last), std::regex(" +0 Dir\\(s\\)  [0-9,]+ bytes free\n"))) << out;
  EXPECT_EQ(out.substr(0, last), lf({" Volume in drive C has no label.", " Volume Serial Number is 0000-0000", "",
                                     " Directory of " + here + "\\compare_in", "", "DATE             1,234 ab.TXT",
                                     "DATE                 1 A_b.txt", "DATE                 5 b.txt",
                                     "               3 File(s)          1,240 bytes"}));
  EXPECT_EQ(errors_, "");
}

TEST_F(DirCommandTest, FullListingOfAFolderShowsDotsAndFolders) {
  std::string out = undated(run("dir"));
  std::regex want(
      " Volume in drive C has no label.\n Volume Serial Number is 0000-0000\n\n Directory of C:\\\\.*\n\n"
      "DATE    <DIR>          \\.\n"
      "DATE    <DIR>          \\.\\.\n"
      "DATE    <DIR>          compare_in\n"
      "DATE    <DIR>          txt_in\n"
      "DATE                 0 zeta.txt\n"
      "               1 File\\(s\\)              0 bytes\n"
      "               4 Dir\\(s\\) +[0-9,]+ bytes free\n");
  EXPECT_TRUE(std::regex_match(out, want)) << out;
  // "*." matches the dots too.
  EXPECT_NE(undated(run("dir *.")).find("DATE    <DIR>          ..\n"), std::string::npos);
}

TEST_F(DirCommandTest, RedirectedListingNamesItsOwnFile) {
  make_dir("htm_out");
  EXPECT_EQ(run("dir > htm_out\\f_01.txt"), "");
  std::string listing = undated(read_file("htm_out/f_01.txt"));
  EXPECT_NE(listing.find("\r\nDATE                 0 zeta.txt\r\n"), std::string::npos) << listing;
  EXPECT_EQ(run("dir htm_out > htm_out\\f_02.txt"), "");
  listing = undated(read_file("htm_out/f_02.txt"));
  EXPECT_NE(listing.find("DATE                 0 f_02.txt\r\n"), std::string::npos) << listing;
}

TEST_F(DirCommandTest, EmptyMatchWritesHeaderAndComplains) {
  std::string out = run("dir *.xyz > l.txt");
  EXPECT_EQ(out, "");
  EXPECT_EQ(errors_, "File Not Found\n");
  std::string listing = read_file("l.txt");
  EXPECT_TRUE(listing.starts_with(" Volume in drive C has no label.\r\n")) << listing;
  EXPECT_TRUE(listing.ends_with("\r\n\r\n")) << listing;
  EXPECT_EQ(run("dir /x"), "");
  EXPECT_EQ(errors_, "Invalid switch - \"x\".\n");
}

}  // namespace
}  // namespace textpair
