#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

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

const std::string kBinary("a\0b\r\nc\rd\n\xff", 10);

class CopyCommandTest : public testing::CommandTest {
 protected:
  static void lay_out() {
    make_dir("sub");
    make_dir("compare_in");
    write_file("a.txt", kBinary);
    write_file("my notes.txt", "notes");
    write_file("old.txt", "an older and longer text");
    write_file("sub/x.txt", "x");
    write_file("compare_in/one.txt", "1");
    write_file("compare_in/Two.htm", "2");
    write_file("wrd_24_01.txt", "w1");
    write_file("wrd_24_02.txt", "w2");
  }
};

TEST_F(CopyCommandTest, CopiesFilesToFilesFoldersAndTheWorkFolder) {
  struct Case {
    const char* line;
    std::string out;
    std::string errors;
    std::vector<std::pair<std::string, std::string>> files;  // path, content
  } cases[] = {
      {"copy a.txt b.txt", lf({"        1 file(s) copied."}), "", {{"b.txt", kBinary}}},
      {"copy /y a.txt old.txt", lf({"        1 file(s) copied."}), "", {{"old.txt", kBinary}}},
      {"copy a.txt OLD.TXT", lf({"        1 file(s) copied."}), "", {{"old.txt", kBinary}}},
      {"copy a.txt sub", lf({"        1 file(s) copied."}), "", {{"sub/a.txt", kBinary}}},
      {"copy /y A.TXT SUB\\", lf({"        1 file(s) copied."}), "", {{"sub/A.TXT", kBinary}}},
      {"copy sub\\x.txt", lf({"        1 file(s) copied."}), "", {{"x.txt", "x"}}},
      {"copy \"my notes.txt\" my_notes.txt", lf({"        1 file(s) copied."}), "", {{"my_notes.txt", "notes"}}},
      {"copy /y compare_in\\*.*",
       lf({"compare_in\\one.txt", "compare_in\\Two.htm", "        2 file(s) copied."}),
       "",
       {{"one.txt", "1"}, {"Two.htm", "2"}}},
      {"copy wrd_24*.txt sub\\",
       lf({"wrd_24_01.txt", "wrd_24_02.txt", "        2 file(s) copied."}),
       "",
       {{"sub/wrd_24_01.txt", "w1"}, {"sub/wrd_24_02.txt", "w2"}}},
      {"copy compare_in sub",
       lf({"compare_in\\one.txt", "compare_in\\Two.htm", "        2 file(s) copied."}),
       "",
       {{"sub/one.txt", "1"}, {"sub/Two.htm", "2"}}},
      {"copy wrd_24*.txt joined.txt",
       lf({"wrd_24_01.txt", "wrd_24_02.txt", "        1 file(s) copied."}),
       "",
       {{"joined.txt", "w1w2"}}},
      {"copy missing.txt b.txt", lf({"        0 file(s) copied."}), "The system cannot find the file specified.\n", {}},
      {"copy a.txt a.txt",
       lf({"        0 file(s) copied."}),
       "The file cannot be copied onto itself.\n",
       {{"a.txt", kBinary}}},
      {"copy A.TXT",
       lf({"        0 file(s) copied."}),
       "The file cannot be copied onto itself.\n",
       {{"a.txt", kBinary}}},
      {"copy a.txt nofolder\\", lf({"        0 file(s) copied."}), "The system cannot find the path specified.\n", {}},
      {"copy a.txt nofolder\\b.txt",
       lf({"        0 file(s) copied."}),
       "The system cannot find the path specified.\n",
       {}},
      {"copy", "", "The syntax of the command is incorrect.\n", {}},
      {"copy /z a.txt b.txt", "", "Invalid switch - /z\n", {}},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    lay_out();
    std::vector<std::string> before = list_names();
    EXPECT_EQ(run(c.line), c.out) << c.line;
    EXPECT_EQ(errors_, c.errors) << c.line;
    for (const auto& [path, content] : c.files) EXPECT_EQ(read_file(path), content) << c.line << ": " << path;
    // Nothing else appears in the work folder (no scratch files left).
    for (const std::string& name : list_names()) {
      bool expected = std::find(before.begin(), before.end(), name) != before.end();
      for (const auto& f : c.files) expected = expected || f.first == name;
      EXPECT_TRUE(expected) << c.line << ": " << name;
    }
  }
}

TEST_F(CopyCommandTest, RedirectedReportGoesIntoTheFile) {
  lay_out();
  make_dir("txt_wrk");
  EXPECT_EQ(run("copy /y compare_in\\*.txt txt_wrk\\ > out_null.list"), "");
  EXPECT_EQ(read_file("out_null.list"), crlf({"compare_in\\one.txt", "        1 file(s) copied."}));
  EXPECT_EQ(list_names("txt_wrk"), std::vector<std::string>{"one.txt"});
}

TEST_F(CopyCommandTest, FailedCopyIsReportedAndKeepsTheOldTarget) {
  SKIP_WITHOUT_FULL_DISK();
  lay_out();
  write_file("big.txt", std::string(100000, 'b'));
  {
    testing::FileSizeLimit limit(50000);
    EXPECT_EQ(run("copy /y big.txt old.txt"), lf({"        0 file(s) copied."}));
    EXPECT_EQ(errors_, "The system cannot write to the specified device.\n");
    EXPECT_EQ(run("copy big.txt sub\\"), lf({"        0 file(s) copied."}));
    EXPECT_EQ(run("copy b*.txt joined.txt"), lf({"        0 file(s) copied."}));
  }
  EXPECT_EQ(read_file("old.txt"), "an older and longer text");
  EXPECT_FALSE(file_exists("sub/big.txt"));
  EXPECT_FALSE(file_exists("joined.txt"));
  EXPECT_EQ(list_names().size(), 8u);  // no scratch file left
}

#ifndef _WIN32
// A FIFO among the sources is passed over without being opened (opening it
// would wait for a writer); the other files are copied, and a source that
// cannot be read is no failed write.
TEST_F(CopyCommandTest, AFifoIsPassedOverUnread) {
  lay_out();
  make_dir("dest");
  ASSERT_EQ(mkfifo("compare_in/pipe.txt", 0644), 0);
  struct Case {
    const char* line;
    const char* out;
  } cases[] = {
      {"copy /y compare_in\\*.* dest\\", "compare_in\\one.txt\ncompare_in\\Two.htm\n        2 file(s) copied.\n"},
      {"copy compare_in\\pipe.txt dest\\", "        0 file(s) copied.\n"},
      {"copy compare_in\\pipe.txt piped.txt", "        0 file(s) copied.\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.line), c.out) << c.line;
    EXPECT_EQ(errors_, "The system cannot read from the specified device.\n") << c.line;
  }
  EXPECT_EQ(list_names("dest"), (std::vector<std::string>{"Two.htm", "one.txt"}));
  EXPECT_FALSE(file_exists("piped.txt"));
}
#endif

}  // namespace
}  // namespace textpair
