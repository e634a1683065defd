#include <gtest/gtest.h>

#include "commands/command_fixture.h"
#include "test_util/file_size_limit.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::lf;
using testing::read_file;
using testing::write_file;

class SortCommandTest : public testing::CommandTest {};

TEST_F(SortCommandTest, SortsInByteOrder) {
  write_file("in.txt", "b\r\nB\r\n\r\nab,\r\nab\r\n\xC3\xA4\r\n");
  EXPECT_EQ(run("sort IN.TXT /o out.txt"), "");
  EXPECT_EQ(errors_, "");
  EXPECT_EQ(read_file("out.txt"), crlf({"", "B", "ab", "ab,", "b", "\xC3\xA4"}));
  EXPECT_EQ(run("sort in.txt"), lf({"", "B", "ab", "ab,", "b", "\xC3\xA4"}));
  EXPECT_EQ(testing::list_names(), (std::vector<std::string>{"in.txt", "out.txt"}));
  struct Case {
    const char* line;
    std::string errors;
  } cases[] = {
      {"sort nope.txt /o out.txt", "The system cannot find the file specified.\n"},
      {"sort in.txt /o nofolder\\out.txt", "The system cannot write to the specified device.\n"},
      {"sort /r in.txt /o out.txt", "Invalid switch.\n"},
      {"sort /o out.txt", "The syntax of the command is incorrect.\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.line), "") << c.line;
    EXPECT_EQ(errors_, c.errors) << c.line;
  }
  EXPECT_EQ(read_file("out.txt"), crlf({"", "B", "ab", "ab,", "b", "\xC3\xA4"}));
}

// The output may be the input itself, named in any case.
TEST_F(SortCommandTest, SortsAFileInPlace) {
  testing::make_dir("wrk");
  write_file("wrk/data.txt", "b\r\nc\r\na\r\n");
  EXPECT_EQ(run("sort WRK\\DATA.TXT /o wrk\\data.txt"), "");
  EXPECT_EQ(read_file("wrk/data.txt"), crlf({"a", "b", "c"}));
  EXPECT_EQ(testing::list_names("wrk"), (std::vector<std::string>{"data.txt"}));
}

// A sort that fails leaves the output as it was and no scratch behind.
TEST_F(SortCommandTest, ReplacesTheOutputOnlyWhenSorted) {
  SKIP_WITHOUT_FULL_DISK();
  write_file("out.txt", "old\r\n");
  std::string big;
  for (int i = 0; i < 20000; ++i) big += std::to_string(20000 - i) + "\r\n";
  write_file("big.txt", big);
  {
    testing::FileSizeLimit limit(50000);
    EXPECT_EQ(run("sort big.txt /o out.txt"), "");
  }
  EXPECT_EQ(errors_, "The system cannot write to the specified device.\n");
  EXPECT_EQ(read_file("out.txt"), "old\r\n");
  EXPECT_EQ(testing::list_names(), (std::vector<std::string>{"big.txt", "out.txt"}));
}

}  // namespace
}  // namespace textpair
