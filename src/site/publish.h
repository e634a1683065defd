// Publishing the site into htm_out, the clean-up and the results screen.
#ifndef TEXTPAIR_SITE_PUBLISH_H_
#define TEXTPAIR_SITE_PUBLISH_H_

#include "common/run_state.h"

namespace textpair {

Flow publish_and_show_results(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_PUBLISH_H_
