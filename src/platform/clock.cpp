#include "platform/clock.h"

#include <ctime>

namespace textpair {

LocalTime local_time_now() { return local_time_at(std::time(nullptr)); }

LocalTime local_time_at(std::int64_t seconds) {
  std::tm tm{};
  clock_detail::local_tm(seconds, tm);
  LocalTime t;
  t.year = tm.tm_year + 1900;
  t.month = tm.tm_mon + 1;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  t.second = tm.tm_sec;
  return t;
}

}  // namespace textpair
