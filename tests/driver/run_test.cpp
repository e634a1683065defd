#include "driver/run.h"

#include <gtest/gtest.h>

#include <string>

#include "common/run_state.h"
#include "platform/run_lock.h"
#include "test_util/piped_console.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

TEST(CheckWorkWritten, EndsTheRunOnlyAfterAFailedWrite) {
  struct Case {
    bool write_failed;
    Flow want;
    std::string screen;
  } cases[] = {
      {false, Flow::kGoOn, ""},
      {true, Flow::kEnd,
       "----------------------------\n"
       "The work folder could not be written completely.\n"
       "page_01.htm: No space left on device\n"
       "Check the free space on the disk.\n"
       "\n"
       "<...> any key to continue and end\n"},
  };
  for (const Case& c : cases) {
    testing::PipedConsole console("x");
    RunState state;
    if (c.write_failed) state.failures.note(IoResult::failed("page_01.htm", "No space left on device"));
    Context ctx{console.console(), state};
    EXPECT_EQ(check_work_written(ctx), c.want) << c.write_failed;
    EXPECT_EQ(console.output(), c.screen) << c.write_failed;
  }
}

// A second start while a run holds the work folder ends at once with its
// own screen and touches no file.
TEST(RunLockTest, ASecondStartInABusyFolderChangesNothing) {
  testing::WorkFolder folder;
  testing::make_dir("compare_in");
  testing::write_file("compare_in/my notes.txt", "text");
  RunLock first;
  ASSERT_TRUE(first.acquire());
  const std::vector<std::string> before = testing::list_names(".");
  testing::PipedConsole console("x");
  EXPECT_EQ(run(console.console(), "www.example.org.exe"), 0);
  EXPECT_EQ(console.output(),
            "----------------------------\n"
            "The program is already running in this folder.\n"
            "This start ends without touching a file, so that the two runs do not spoil each other's work.\n"
            "Wait until the other run has ended (or close its window), then start the program again.\n"
            "\n"
            "<...> any key to continue and end\n");
  EXPECT_EQ(testing::list_names("."), before);
  EXPECT_EQ(testing::list_names("compare_in"), (std::vector<std::string>{"my notes.txt"}));
}

}  // namespace
}  // namespace textpair
