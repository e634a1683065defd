// compare.htm: the two working copies side by side in one table.
#ifndef TEXTPAIR_COMPARE_COMPARISON_PAGE_H_
#define TEXTPAIR_COMPARE_COMPARISON_PAGE_H_

#include "common/run_state.h"

namespace textpair {

Flow write_comparison_page(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_COMPARE_COMPARISON_PAGE_H_
