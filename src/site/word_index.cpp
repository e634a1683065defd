#include "site/word_index.h"

#include <string>
#include <vector>

#include "common/lines.h"
#include "common/promo_block.h"
#include "common/records.h"
#include "common/word_records.h"
#include "site/content_list.h"
#include "site/page_parts.h"

namespace textpair {

namespace {

using namespace word_order_record;

// The first record of a run of records with the same word id and page.
struct Pair {
  std::string id, page, word, n;
  int count = 1;
};

std::string entry_head(const Pair& p) {
  return "<a href=\"" + p.page + "#" + p.id + "\" id=\"" + p.id + "\">" + p.word + "</a>&nbsp;&nbsp;&nbsp; (" +
         p.page + ", " + std::to_string(p.count) + ")";
}

void write_entry(LineWriter& out, const Pair& p, const std::string& group) {
  out.line("<br>");
  out.line(entry_head(p));
  out.line("&nbsp;&nbsp;<a href=\"s_" + group + ".htm#" + p.id + "_" + p.n + "\">s_" + group + "</a>");
  out.line("&nbsp;&nbsp;<a href=\"index.htm#" + p.id + "\"> index</a>");
}

void take_pair(Pair& p, const std::vector<std::string>& f) {
  p.id = f[kId];
  p.page = f[kPage];
  p.word = f[kWord];
  p.n = f[kN];
  p.count = 1;
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
  write_content_list(ctx);
  out.line("<a href=\"files_list.htm\"> Content </a><br>");
  out.line("<br>");

  RecordReader in(kFieldCount);
  in.open("wrd_14_" + g + ".txt");
  std::vector<std::string> f;
  in.next(f);
  Pair pair;
  take_pair(pair, f);
  in.rewind();

  int since_ad = 0;
  bool first = true;
  while (in.next(f)) {
    if (f[kId] == pair.id && f[kPage] == pair.page) {
      if (!first) ++pair.count;
    } else {
      write_entry(out, pair, g);
      take_pair(pair, f);
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
  out.line(entry_head(pair) + "<br>");
  out.line("</body>");
  out.line("</html>");
  ctx.state.writes.note(out.close());
}

}  // namespace textpair
