// The program-wide values of a run, set once by one phase and read by later
// ones, and the context every phase receives: the console and this state.
// Everything else a phase needs it finds in the work folder's files.
#ifndef TEXTPAIR_COMMON_RUN_STATE_H_
#define TEXTPAIR_COMMON_RUN_STATE_H_

#include <string>
#include <vector>

#include "common/io_failures.h"
#include "platform/msvcrt_rand.h"

namespace textpair {

class Console;

// How a phase hands over: go on with the next phase, or end the run (the
// run always ends with exit status 0).
enum class Flow { kGoOn, kEnd };

// Name of the program's module; also the expected program name (+ ".exe").
inline constexpr const char* kModuleName = "textpair_01_002";

// The publisher of this build: host form and http address.
#ifndef TEXTPAIR_PUBLISHER_HOST
#define TEXTPAIR_PUBLISHER_HOST "www.textpair.example"
#endif
inline constexpr const char* kPublisherHost = TEXTPAIR_PUBLISHER_HOST;
inline std::string publisher_address() { return std::string("http://") + kPublisherHost; }

struct HighlightSettings {
  std::string colour = "red";
  std::string size = "140%";
  bool inline_switch = true;
};

struct RunState {
  std::string invocation_path;        // argument zero
  std::string target_address;         // url.publisher.02$
  std::vector<std::string> ad_lines;  // entry 0 stays empty; 1..n
  std::string intake_name;
  std::string table_width;     // "100%"
  std::string search_site;     // may be empty
  std::string number_pattern;  // "00", "000", ...
  HighlightSettings highlight;
  int group_count = 0;  // G
  long long word_total = 0;
  int entries_since_promo = 0;  // across all word index pages
  int ad_index = 0;             // across all word index pages
  bool wrote_80_percent = false;
  IoFailures failures;  // work files not written completely
  MsvcrtRand rand;      // one unseeded sequence per run

  int ad_count() const { return ad_lines.empty() ? 0 : static_cast<int>(ad_lines.size()) - 1; }
};

struct Context {
  Console& console;
  RunState& state;
};

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_RUN_STATE_H_
