// Line blocks that several index-site pages share: the page head, the
// introduction block with the date and time lines, and the highlight script
// that marks every element named by the address's fragment.
#ifndef TEXTPAIR_SITE_PAGE_PARTS_H_
#define TEXTPAIR_SITE_PAGE_PARTS_H_

#include <string>
#include <string_view>

#include "common/lines.h"
#include "common/run_state.h"
#include "platform/clock.h"

namespace textpair {

inline constexpr const char* kIndexTitle = "<title>index of key words</title>";

// "<html>" to "<body>", with `title_line` as the page's title line.
void write_page_head(LineWriter& out, std::string_view title_line);

// "QUICK AND EASY INFORMATION SEARCH", the publisher link and the date and
// time lines (the clock at the moment of writing).
void write_intro_block(LineWriter& out);

// "Date (mm-dd-yy) = 12-07-2026<br>" and "Time (h:m:s)    = 09:05:30<br>".
std::string date_line(const LocalTime& t);
std::string time_line(const LocalTime& t);

// The eleven script lines, from the page's highlight settings.
void write_highlight_script(LineWriter& out, const HighlightSettings& highlight);

}  // namespace textpair

#endif  // TEXTPAIR_SITE_PAGE_PARTS_H_
