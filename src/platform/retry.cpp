#include "platform/retry.h"

#include <chrono>
#include <thread>

namespace textpair {

namespace {
// 10, 20, 40, ... 320 ms, then 320 ms more, about two seconds in all.
constexpr int kFirstPauseMs = 10;
constexpr int kLongestPauseMs = 320;
constexpr int kMostPausedMs = 2000;
}  // namespace

IoResult retry_while_busy(const std::function<IoResult()>& operation) {
  IoResult result = operation();
  for (int pause = kFirstPauseMs, paused = 0; !result.ok() && result.busy() && paused < kMostPausedMs;
       paused += pause, pause = pause < kLongestPauseMs ? pause * 2 : pause) {
    std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    result = operation();
  }
  return result;
}

}  // namespace textpair
