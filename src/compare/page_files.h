// The page files that are indexed, made from the pages in htm_wrk, and the
// highlight settings of the output pages.
#ifndef TEXTPAIR_COMPARE_PAGE_FILES_H_
#define TEXTPAIR_COMPARE_PAGE_FILES_H_

#include <string>

#include "common/run_state.h"

namespace textpair {

Flow write_page_files(Context& ctx);

// Copies the lines of a file without the bytes 0 to 15 (tabs among them),
// each ended with CR LF; short when the copy could not be written.
IoResult copy_without_control_bytes(const std::string& from, const std::string& to);

}  // namespace textpair

#endif  // TEXTPAIR_COMPARE_PAGE_FILES_H_
