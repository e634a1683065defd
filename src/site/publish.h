// Publishing the site into htm_out, the clean-up of the work folder and the
// results screen that ends a complete run.
#ifndef TEXTPAIR_SITE_PUBLISH_H_
#define TEXTPAIR_SITE_PUBLISH_H_

#include "common/run_state.h"

namespace textpair {

// Always ends the run, after the results screen's key press.
Flow publish_and_show_results(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_PUBLISH_H_
