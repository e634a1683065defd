// Advertisement lines: fetched from the publisher's ads page at every run.
#ifndef TEXTPAIR_DRIVER_ADS_H_
#define TEXTPAIR_DRIVER_ADS_H_

#include "common/run_state.h"

namespace textpair {

// Deletes the ads page of an earlier run.
void delete_old_ads(Context& ctx);
// Fetches the ads page and keeps its paragraph lines in state.ad_lines.
Flow fetch_ads(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_DRIVER_ADS_H_
