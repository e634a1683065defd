// Advertisement lines: fetched from the publisher's ads page at every run.
#ifndef TEXTPAIR_DRIVER_ADS_H_
#define TEXTPAIR_DRIVER_ADS_H_

#include <string>
#include <vector>

#include "common/run_state.h"

namespace textpair {

// Where the ads of this build's publisher are: host and path, no scheme.
std::string ads_page_address();

// Deletes the ads page of an earlier run.
void delete_old_ads(Context& ctx);

// The ad lines of a find listing: entry 0 empty, then every line that holds
// a paragraph tag, whole and in order.
std::vector<std::string> read_ad_lines(const std::string& listing, IoFailures& failures);

// Fetches the ads page and keeps its paragraph lines in state.ad_lines; ends
// the run when there is none.
Flow fetch_ads(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_DRIVER_ADS_H_
