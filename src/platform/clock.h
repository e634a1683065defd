// Local date and time, for the date and time lines of the index pages.
#ifndef TEXTPAIR_PLATFORM_CLOCK_H_
#define TEXTPAIR_PLATFORM_CLOCK_H_

namespace textpair {

struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};

LocalTime local_time_now();

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_CLOCK_H_
