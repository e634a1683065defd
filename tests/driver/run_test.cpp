#include "driver/run.h"

#include <gtest/gtest.h>

#include <string>

#include "common/run_state.h"
#include "test_util/piped_console.h"

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

}  // namespace
}  // namespace textpair
