#include "common/side_task.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace textpair {
namespace {

// The work has ended when wait returns, whether the caller waits once,
// twice or leaves it to the task's end; and it ran beside the caller.
TEST(SideTask, WorkHasEndedOnceWaitedFor) {
  for (int waits = 0; waits <= 2; ++waits) {
    std::atomic<bool> done{false};
    std::atomic<bool> caller_went_on{false};
    {
      SideTask task([&] {
        // Ends only once the caller has gone on: the two ran side by side.
        for (int i = 0; i < 2000 && !caller_went_on; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        done = true;
      });
      caller_went_on = true;
      for (int w = 0; w < waits; ++w) {
        task.wait();
        EXPECT_TRUE(done) << waits;
      }
    }
    EXPECT_TRUE(done) << waits;
  }
}

}  // namespace
}  // namespace textpair
