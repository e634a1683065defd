#include "driver/tool_checks.h"

#include <gtest/gtest.h>

#include "test_util/piped_console.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::PipedConsole;
using testing::WorkFolderTest;

class ToolChecksTest : public WorkFolderTest {};

const char kHeader[] =
    "----------------------------\n"
    "Checking the accessibility of some urgently needed programs:\n"
    "cmd.exe, find.exe, findstr.exe, sort.exe, wget.exe\n"
    "\n"
    "cmd\n";

TEST_F(ToolChecksTest, TheProgramAloneIsEnoughForEveryCheck) {
  // findstr writes no header: its one line for the program must pass.
  testing::write_file("www.example.com.exe", "program");
  PipedConsole io;
  RunState state;
  Context ctx{io, state};
  EXPECT_EQ(check_tools(ctx), Flow::kGoOn);
  EXPECT_EQ(io.output(), std::string(kHeader) + "\nfind\n\nfindstr\n\nsort\n");
  EXPECT_TRUE(testing::file_exists("check_01.txt"));
  EXPECT_TRUE(testing::file_exists("check_02.txt"));
  EXPECT_TRUE(testing::file_exists("out_null.txt"));
}

TEST_F(ToolChecksTest, FindFailsWithoutAnyExeInTheFolder) {
  // An old output of an earlier run must not count.
  testing::write_file("check_02.txt", "x.exe\r\ny.exe\r\nz.exe\r\n");
  PipedConsole io("21");
  RunState state;
  Context ctx{io, state};
  EXPECT_EQ(check_tools(ctx), Flow::kEnd);
  EXPECT_EQ(io.output(), std::string(kHeader) +
                             "\nfind\n"
                             "----------------------------\n"
                             "Checking for find.exe!\n"
                             "The system path to the program is most likely to be configured.\n"
                             "<1> = continue and end\n");
}

}  // namespace
}  // namespace textpair
