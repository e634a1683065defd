#include "site/all_words_index.h"

#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/lines.h"
#include "common/records.h"
#include "common/word_records.h"
#include "prompts/prompts.h"
#include "indexing/external_sort.h"
#include "platform/console.h"
#include "site/page_parts.h"

namespace textpair {

namespace {

using namespace grouped_record;

std::string entry_start(const std::string& id, const std::string& group_field) {
  const std::string g = trim_blanks(group_field);
  return "&nbsp;&nbsp;<a href=\"i_" + g + ".htm#" + id + "\" id=\"" + id + "\">(i_" + g;
}

}  // namespace

Flow write_all_words_index(Context& ctx) {
  RunState& state = ctx.state;
  progress(ctx.console, 60);
  if (external_sort(ctx, "wrd_15.txt", "wrd_16.txt") == Flow::kEnd) return Flow::kEnd;

  long long total = 0;
  {
    LineReader lines("wrd_16.txt");
    std::string line;
    while (lines.next(line)) ++total;
  }
  state.word_total = total;
  progress(ctx.console, 70);

  LineWriter out;
  out.create("index.htm");
  write_page_head(out, kIndexTitle);
  write_intro_block(out);
  out.line("<br><br>");
  out.line("Use a combination of two keys (CTRL + F) to search.");
  out.line("<br><br>");

  RecordReader in(kFieldCount);
  in.open("wrd_16.txt");
  std::vector<std::string> rec;
  in.next(rec);
  std::string id = rec[kId], group = rec[kGroup];
  out.line(rec[kWord]);
  in.rewind();

  // The count of a word in a group is the length of its run of records.
  long long count = 0;
  long long number = 0;
  while (in.next(rec)) {
    ++number;
    if (!state.wrote_80_percent && static_cast<double>(total) / static_cast<double>(number) > 2.0) {
      progress(ctx.console, 80);
      state.wrote_80_percent = true;
    }
    if (rec[kId] == id && rec[kGroup] == group) {
      ++count;
      continue;
    }
    out.line(entry_start(id, group) + ",&nbsp;&nbsp;" + std::to_string(count) + ")</a>");
    if (rec[kId] != id) {
      out.line("<br>");
      out.line(rec[kWord]);
      id = rec[kId];
    }
    group = rec[kGroup];
    count = 1;
  }
  out.line(entry_start(id, group) + ")</a>");
  out.line("</body>");
  out.line("</html>");
  ctx.state.writes.note(out.close());
  return Flow::kGoOn;
}

}  // namespace textpair
