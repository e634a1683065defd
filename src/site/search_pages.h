// Search pages (s_K.htm): the text line by line with web-search links.
#ifndef TEXTPAIR_SITE_SEARCH_PAGES_H_
#define TEXTPAIR_SITE_SEARCH_PAGES_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "common/run_state.h"

namespace textpair {

inline constexpr const char* kSearchEngine = "http://www.google.com";

// Writes s_K.htm for group K from wrd_24_K.txt. A line's markup beyond
// `held_line_bytes` waits in a scratch file (search_line.txt) until the line
// is complete.
inline constexpr std::size_t kHeldLineBytes = std::size_t{1} << 20;
void write_search_page(Context& ctx, int group, std::size_t held_line_bytes = kHeldLineBytes);

// A query as it stands in a link: "%", "&", "#" and "+" are escaped, so
// that "C++" or "Q&A" are searched for whole; all else stays as it is.
std::string encode_query(std::string_view query);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_SEARCH_PAGES_H_
