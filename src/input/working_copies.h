// The search site address, the working copies in txt_wrk with the
// duplicate check, and the number pattern.
#ifndef TEXTPAIR_INPUT_WORKING_COPIES_H_
#define TEXTPAIR_INPUT_WORKING_COPIES_H_

#include <string>
#include <string_view>

#include "common/run_state.h"

namespace textpair {

Flow make_working_copies(Context& ctx);

// The search site address in a reply: leading blanks and tabs dropped, up
// to the first comma, or the text between double quotes when it begins
// with one.
std::string search_site_from(std::string_view reply);

// True when the two files hold the same lines, as many of them.
bool same_lines(const std::string& a, const std::string& b, IoFailures& failures);

}  // namespace textpair

#endif  // TEXTPAIR_INPUT_WORKING_COPIES_H_
