// The content list files_list.htm.
#ifndef TEXTPAIR_SITE_CONTENT_LIST_H_
#define TEXTPAIR_SITE_CONTENT_LIST_H_

#include "common/run_state.h"

namespace textpair {

void write_content_list(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_CONTENT_LIST_H_
