#include "platform/clock.h"

#include <ctime>

namespace textpair::clock_detail {

void local_tm(std::int64_t seconds, std::tm& tm) {
  std::time_t when = static_cast<std::time_t>(seconds);
  localtime_s(&tm, &when);
}

}  // namespace textpair::clock_detail
