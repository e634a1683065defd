#include "commands/interpreter.h"

#include <gtest/gtest.h>

#include "commands/command_fixture.h"
#include "test_util/file_size_limit.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::file_exists;
using testing::lf;
using testing::list_names;
using testing::make_dir;
using testing::read_file;
using testing::write_file;

class InterpreterTest : public testing::CommandTest {};

TEST_F(InterpreterTest, UnknownNamesAreRefusedAndNothingRuns) {
  const std::string refused =
      "is not recognized as an internal or external command,\noperable program or batch file.\n";
  struct Case {
    const char* line;
    std::string errors;
  } cases[] = {
      {"echo hi", "'echo' " + refused},
      {"cmd /c rm -rf .", "'rm' " + refused},
      {"ls > listing.txt", "'ls' " + refused},
      {"dir | sh -c true", "'sh' " + refused},
      {"\"del\"x a.txt", "'delx' " + refused},
      {"dir > ", "The syntax of the command is incorrect.\n"},
      {"for %i in (a.txt) copy %i b", "The syntax of the command is incorrect.\n"},
  };
  write_file("a.txt", "a");
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.line), "") << c.line;
    EXPECT_EQ(errors_, c.errors) << c.line;
  }
  // The redirection target is made before the command is looked up.
  EXPECT_EQ(list_names(), (std::vector<std::string>{"a.txt", "listing.txt"}));
  EXPECT_EQ(read_file("listing.txt"), "");
}

TEST_F(InterpreterTest, CodePageAndBlankLines) {
  EXPECT_EQ(run("chcp"), "Active code page: 65001\n");
  EXPECT_EQ(run("cmd /c CHCP > cp.txt"), "");
  EXPECT_EQ(read_file("cp.txt"), crlf({"Active code page: 65001"}));
  EXPECT_EQ(run("  "), "");
  EXPECT_EQ(errors_, "");
}

TEST_F(InterpreterTest, EveryRedirectionTargetIsMadeAndTheLastGetsTheOutput) {
  make_dir("htm_out");
  write_file("htm_out/old.htm", "old");
  EXPECT_EQ(run("dir > htm_out\\f_01.txt > out_null.list"), "");
  EXPECT_EQ(read_file("htm_out/f_01.txt"), "");
  std::string listing = read_file("out_null.list");
  EXPECT_NE(listing.find("<DIR>          htm_out\r\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find(" 0 out_null.list\r\n"), std::string::npos) << listing;
  EXPECT_EQ(run("del /q htm_out\\*.* > out_null.list"), "");
  EXPECT_EQ(list_names("htm_out"), std::vector<std::string>{});

  // ">>" appends, ">" starts afresh.
  EXPECT_EQ(run("chcp >> cp.txt"), "");
  EXPECT_EQ(run("chcp>>cp.txt"), "");
  EXPECT_EQ(read_file("cp.txt"), crlf({"Active code page: 65001", "Active code page: 65001"}));
  EXPECT_EQ(run("chcp > CP.TXT"), "");
  EXPECT_EQ(read_file("cp.txt"), crlf({"Active code page: 65001"}));

  EXPECT_EQ(run("chcp > nofolder\\cp.txt"), "");
  EXPECT_EQ(errors_, "The system cannot find the path specified.\n");
}

TEST_F(InterpreterTest, PipesAListingIntoACount) {
  struct Case {
    std::vector<const char*> files;
    std::string count;
  } cases[] = {
      {{}, "0"},
      {{"a.htm"}, "1"},
      {{"a.htm", "b.html", "c.txt", "htm.txt"}, "2"},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    for (const char* f : c.files) write_file(f, "");
    EXPECT_EQ(run("dir *.htm | find /c \".htm\" > count.txt"), "");
    EXPECT_EQ(read_file("count.txt"), crlf({c.count})) << c.count;
  }
  write_file("a.htm", "");
  EXPECT_EQ(run("dir /b | find \"htm\""), lf({"a.htm"}));
  EXPECT_EQ(run("dir /b | findstr /i \"A.H\""), lf({"a.htm"}));
  EXPECT_EQ(run("dir /b > x.txt | find /c \"htm\""), lf({"0"}));
}

TEST_F(InterpreterTest, ForLoopsRunTheirBodyPerItemWithoutEcho) {
  make_dir("oglasi_wget");
  write_file("oglasi_wget/oglasi_wget.html", "");
  write_file("oglasi_wget/Oglasi.txt", "");
  write_file("oglasi_wget/keep.txt", "");
  write_file("check_01.txt", "x1\r\n");
  write_file("check_02.txt", "x2\r\n");
  write_file("check_1.htm", "");

  EXPECT_EQ(run("cmd /c for %i in (oglasi_wget\\oglasi*.*) do del /q %i > out_null.list"), "");
  EXPECT_EQ(errors_, "");
  EXPECT_EQ(list_names("oglasi_wget"), std::vector<std::string>{"keep.txt"});

  // ">" belongs to each pass, ">>" keeps what earlier passes wrote.
  EXPECT_EQ(run("for %i in (check_*.txt) do find /c \"x\" %i > counts.txt"), "");
  EXPECT_EQ(read_file("counts.txt"), crlf({"", "---------- CHECK_02.TXT: 1"}));
  EXPECT_EQ(run("for %i in (check_*.txt) do find /c \"x\" %i >> all.txt"), "");
  EXPECT_EQ(read_file("all.txt"), crlf({"", "---------- CHECK_01.TXT: 1", "", "---------- CHECK_02.TXT: 1"}));

  // On the console only the commands' own output shows.
  EXPECT_EQ(run("for %i in (check_01.txt, nothing.txt) do find /c \"x\" %i"), lf({"", "---------- CHECK_01.TXT: 1"}));
  EXPECT_EQ(errors_, "File not found - NOTHING.TXT\n");

  EXPECT_EQ(run("cmd /c for %i in (check_*.txt) do del /q %i >> out_null.txt"), "");
  EXPECT_FALSE(file_exists("check_01.txt"));
  EXPECT_FALSE(file_exists("check_02.txt"));
  EXPECT_TRUE(file_exists("check_1.htm"));
  EXPECT_TRUE(file_exists("out_null.txt"));

  // A pattern that matches nothing runs the body not at all.
  EXPECT_EQ(run("cmd /c for %i in (oglasi_wget\\oglasi.*) do del /q %i > out_null.list"), "");
  EXPECT_EQ(errors_, "");
}

TEST_F(InterpreterTest, ForLoopOverAFolderName) {
  make_dir("txt_in");
  make_dir("htm_in");
  write_file("txt_in/page_01.htm", "p1");
  write_file("txt_in/page_02.html", "p2");
  write_file("txt_in/a.txt", "t");
  EXPECT_EQ(run("cmd /c for %i in (txt_in) do copy %i\\*.htm* htm_in\\ >> out_null.list"), "");
  EXPECT_EQ(list_names("htm_in"), (std::vector<std::string>{"page_01.htm", "page_02.html"}));
  EXPECT_EQ(read_file("htm_in/page_02.html"), "p2");
  EXPECT_EQ(read_file("out_null.list"),
            crlf({"txt_in\\page_01.htm", "txt_in\\page_02.html", "        2 file(s) copied."}));
}

TEST_F(InterpreterTest, TellsTheCallerWhenAFileCouldNotBeWrittenCompletely) {
  SKIP_WITHOUT_FULL_DISK();
  struct Case {
    const char* line;
    bool written;
  } cases[] = {
      {"copy /y big.txt copy.txt", false},
      {"cmd /c for %i in (big.txt) do copy %i copy.txt", false},
      {"sort big.txt /o sorted.txt", false},
      {"dir > full.txt", false},
      {"copy /y small.txt copy.txt > out_null.list", true},
      {"sort nope.txt /o sorted.txt", true},
      {"copy nope.txt copy.txt", true},
      {"dir > nofolder\\list.txt", true},
  };
  write_file("big.txt", std::string(60000, 'b') + "\r\n");
  write_file("small.txt", "s");
  // Every file the commands write stops at 100 bytes: less than a full
  // listing, more than small.txt.
  testing::FileSizeLimit limit(100);
  for (const Case& c : cases) {
    IoFailures failures;
    run_command(console_, failures, c.line);
    EXPECT_EQ(!failures.any(), c.written) << c.line;
  }
}

}  // namespace
}  // namespace textpair
