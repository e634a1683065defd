#include "site/word_index.h"

#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/lines.h"
#include "common/promo_block.h"
#include "common/records.h"
#include "common/word_records.h"
#include "site/page_parts.h"

namespace textpair {

namespace {

using namespace word_page_run_record;

// A word's occurrences on one page: the first one's id, page, word and
// number, and their count.
struct Pair {
  std::string id, page, word, n;
  std::uint64_t count = 0;
};

void append_entry_head(std::string& out, const Pair& p) {
  append_all(out, "<a href=\"", p.page, "#", p.id, "\" id=\"", p.id, "\">", p.word, "</a>&nbsp;&nbsp;&nbsp; (", p.page,
             ", ");
  append_number(out, static_cast<long long>(p.count));
  out += ')';
}

// The entry's lines, built in `buffer` and written at once.
void write_entry(LineWriter& out, const Pair& p, const std::string& group, std::string& buffer) {
  buffer.assign("<br>\r\n");
  append_entry_head(buffer, p);
  append_all(buffer, "\r\n&nbsp;&nbsp;<a href=\"s_", group, ".htm#", p.id, "_", p.n, "\">s_", group,
             "</a>\r\n&nbsp;&nbsp;<a href=\"index.htm#", p.id, "\"> index</a>\r\n");
  out.raw(buffer);
}

void take_pair(Pair& p, const RecordLines& f) {
  p.id.assign(f[kId]);
  p.page.assign(f[kPage]);
  p.word.assign(f[kWord]);
  p.n.assign(f[kN]);
  p.count = read_number_field(f[kCount]);
}

}  // namespace

void write_word_index_page(Context& ctx, int group) {
  RunState& state = ctx.state;
  const std::string g = std::to_string(group);
  LineWriter out;
  out.create("i_" + g + ".htm");
  write_page_head(out, kIndexTitle);
  write_promo_block(out);
  write_intro_block(out);
  out.line("<br><br>");
  out.line("<a href=\"files_list.htm\"> Content </a><br>");
  out.line("<br>");

  // One record a page's run of a word; an entry each.
  RecordLines in("wrd_14_" + g + ".txt", kFieldCount, ctx.state.failures);
  Pair pair;
  pair.count = 1;  // an empty list still shows one (empty) entry of 1
  bool more = in.next();
  if (more) take_pair(pair, in);

  int since_ad = 0;
  bool first = true;
  std::string buffer;
  for (; more; more = in.next()) {
    if (!first) {
      write_entry(out, pair, g, buffer);
      take_pair(pair, in);
      ++since_ad;
      ++state.entries_since_promo;
    }
    first = false;
    if (state.entries_since_promo > 100) {
      write_promo_block(out);
      state.entries_since_promo = 0;
      since_ad = 0;
    } else if (since_ad > 25) {
      if (state.ad_count() > 0) {
        ++state.ad_index;
        if (state.ad_index > state.ad_count()) state.ad_index = 1;
        out.line("<br>" + state.ad_lines[state.ad_index]);
      }
      since_ad = 0;
    }
  }
  buffer.clear();
  append_entry_head(buffer, pair);
  buffer += "<br>";
  out.line(buffer);
  out.line("</body>");
  out.line("</html>");
  ctx.state.failures.note(out.close());
}

}  // namespace textpair
