#include "common/side_task.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

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

// Every line the task puts comes out in order, whole, whatever the batch
// size: lines longer than a batch, empty lines, none at all.
TEST(LineHandoff, LinesComeOutInOrder) {
  struct Case {
    std::size_t batch_bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {16, {}},
      {16, {""}},
      {16, {"a", "", "bc", std::string(40, 'x'), "d"}},
      {1, {"one", "two", "three"}},
  };
  std::vector<std::string> many;
  for (int i = 0; i < 20000; ++i) many.push_back("line " + std::to_string(i));
  for (const Case& c : cases) {
    for (const std::vector<std::string>* lines : {&c.lines, static_cast<const std::vector<std::string>*>(&many)}) {
      LineHandoff handoff(c.batch_bytes);
      SideTask task([&] {
        for (const std::string& line : *lines) handoff.put(line);
        handoff.close();
      });
      std::vector<std::string> got;
      std::vector<std::string_view> batch;
      while (handoff.take(batch)) got.insert(got.end(), batch.begin(), batch.end());
      task.wait();
      EXPECT_EQ(got, *lines) << c.batch_bytes;
    }
  }
}

}  // namespace
}  // namespace textpair
