// compare.htm: the two working copies side by side in one table.
#ifndef TEXTPAIR_COMPARE_COMPARISON_PAGE_H_
#define TEXTPAIR_COMPARE_COMPARISON_PAGE_H_

#include <string>

#include "common/run_state.h"

namespace textpair {

class LineWriter;

Flow write_comparison_page(Context& ctx);

// Writes the column lines of a file; a file that cannot be read gives none.
void write_column(LineWriter& page, const std::string& file, IoFailures& failures);

}  // namespace textpair

#endif  // TEXTPAIR_COMPARE_COMPARISON_PAGE_H_
