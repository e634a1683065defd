// The rand() sequence of the Windows C runtime, reproduced on every
// platform so that runs draw the same random picks everywhere.
#ifndef TEXTPAIR_PLATFORM_MSVCRT_RAND_H_
#define TEXTPAIR_PLATFORM_MSVCRT_RAND_H_

#include <cstdint>

namespace textpair {

class MsvcrtRand {
 public:
  // 0 .. 32767, the unseeded sequence starting at state 1.
  int next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_MSVCRT_RAND_H_
