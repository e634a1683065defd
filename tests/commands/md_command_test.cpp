#include <gtest/gtest.h>

#include "commands/command_fixture.h"

namespace textpair {
namespace {

using testing::file_exists;
using testing::list_names;
using testing::make_dir;
using testing::read_file;
using testing::write_file;

class FolderCommandTest : public testing::CommandTest {};

TEST_F(FolderCommandTest, MakesFoldersAndComplainsAboutExistingOnes) {
  make_dir("txt_in");
  write_file("a.txt", "");
  struct Case {
    const char* line;
    std::string errors;
  } cases[] = {
      {"md oglasi_wget  > out_null.list", ""},
      {"md wrd_24\\deep\\er", ""},
      {"md txt_in > out_null.list", "A subdirectory or file txt_in already exists.\n"},
      {"md TXT_IN", "A subdirectory or file TXT_IN already exists.\n"},
      {"md a.txt", "A subdirectory or file a.txt already exists.\n"},
      {"md", "The syntax of the command is incorrect.\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.line), "") << c.line;
    EXPECT_EQ(errors_, c.errors) << c.line;
  }
  EXPECT_EQ(list_names(), (std::vector<std::string>{"a.txt", "oglasi_wget", "out_null.list", "txt_in", "wrd_24"}));
  EXPECT_TRUE(file_exists("wrd_24/deep/er"));
  EXPECT_EQ(read_file("out_null.list"), "");
}

TEST_F(FolderCommandTest, RenamesWithinTheFolder) {
  make_dir("txt_wrk");
  write_file("txt_wrk/my notes.txt", "n");
  write_file("txt_wrk/other.txt", "o");
  write_file("txt_wrk/case.txt", "c");
  struct Case {
    const char* line;
    std::string errors;
  } cases[] = {
      {"rename \"txt_wrk\\my notes.txt\" my_notes.txt", ""},
      {"rename \"TXT_WRK\\CASE.TXT\" Case.TXT", ""},  // the same file in another spelling
      {"rename txt_wrk\\my_notes.txt other.txt", "A duplicate file name exists, or the file cannot be found.\n"},
      {"rename txt_wrk\\my_notes.txt OTHER.TXT", "A duplicate file name exists, or the file cannot be found.\n"},
      {"rename txt_wrk\\gone.txt x.txt", "The system cannot find the file specified.\n"},
      {"rename txt_wrk\\other.txt sub\\x.txt", "The syntax of the command is incorrect.\n"},
      {"rename txt_wrk\\other.txt", "The syntax of the command is incorrect.\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.line), "") << c.line;
    EXPECT_EQ(errors_, c.errors) << c.line;
  }
  EXPECT_EQ(list_names("txt_wrk"), (std::vector<std::string>{"Case.TXT", "my_notes.txt", "other.txt"}));
  EXPECT_EQ(read_file("txt_wrk/my_notes.txt"), "n");
  EXPECT_EQ(read_file("txt_wrk/other.txt"), "o");
}

}  // namespace
}  // namespace textpair
