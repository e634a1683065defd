// The page files that are indexed, made from the pages in htm_wrk, and the
// highlight settings of the output pages.
#ifndef TEXTPAIR_COMPARE_PAGE_FILES_H_
#define TEXTPAIR_COMPARE_PAGE_FILES_H_

#include <string>
#include <string_view>

#include "common/run_state.h"

namespace textpair {

Flow write_page_files(Context& ctx);

// The line without the bytes 0 to 15 (tabs among them).
std::string drop_control_bytes(std::string_view line);

}  // namespace textpair

#endif  // TEXTPAIR_COMPARE_PAGE_FILES_H_
