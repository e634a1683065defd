// Local date and time, for the date and time lines of the index pages.
#ifndef TEXTPAIR_PLATFORM_CLOCK_H_
#define TEXTPAIR_PLATFORM_CLOCK_H_

#include <cstdint>
#include <ctime>

namespace textpair {

struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};

LocalTime local_time_now();
// The local date and time of a moment in seconds since the epoch.
LocalTime local_time_at(std::int64_t seconds);

namespace clock_detail {
// The system's local time of a moment, one per platform.
void local_tm(std::int64_t seconds, std::tm& tm);
}  // namespace clock_detail

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_CLOCK_H_
