// The page files that are indexed, made from the pages in htm_wrk.
#ifndef TEXTPAIR_COMPARE_PAGE_FILES_H_
#define TEXTPAIR_COMPARE_PAGE_FILES_H_

#include "common/run_state.h"

namespace textpair {

Flow write_page_files(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_COMPARE_PAGE_FILES_H_
