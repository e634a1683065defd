#include "site/search_pages.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/lines.h"
#include "common/records.h"
#include "common/word_records.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "site/page_parts.h"

namespace textpair {

namespace {

using namespace next_page_record;

constexpr int kMaxQueryWords = 28;
constexpr std::string_view kEngine = kSearchEngine;
const char* const kSpillName = "search_line.txt";

// The markup of the line being gathered. Up to `held` bytes stay in memory;
// a longer line goes on in a scratch file, so that a line of any length
// takes bounded memory. "</html>" can only stand inside a word: the markup
// around the words neither holds it nor completes it, so the words alone are
// looked at.
class LineMarkup {
 public:
  LineMarkup(std::size_t held, WriteFailures& writes) : held_(held), writes_(writes) {}
  ~LineMarkup() { discard(); }
  // Append the whole entry of `word` to the text returned, then call settle().
  std::string& entry(std::string_view word) {
    html_end_ = html_end_ || contains_nocase(word, "</html>");
    return text_;
  }
  void settle() {
    if (text_.size() <= held_) return;
    if (!spilled_) spilled_ = spill_.open(native_path(kSpillName), File::Mode::kCreate);
    if (!spill_.write(text_)) writes_.note(Written::kShort);
    text_.clear();
  }
  bool holds_html_end() const { return html_end_; }
  // The whole markup, the scratch part first.
  void write_to(LineWriter& out) {
    if (spilled_) {
      writes_.note(written_if(spill_.close()));
      File in(native_path(kSpillName), File::Mode::kRead);
      std::string chunk(std::size_t{1} << 16, '\0');
      for (std::size_t n; (n = in.read(chunk.data(), chunk.size())) > 0;) out.raw(std::string_view(chunk).substr(0, n));
    }
    out.raw(text_);
  }
  // Empties the markup for the next line.
  void discard() {
    if (spilled_) {
      (void)spill_.close();
      remove_file(native_path(kSpillName));
      spilled_ = false;
    }
    html_end_ = false;
    text_.clear();
  }

 private:
  std::size_t held_;
  WriteFailures& writes_;
  std::string text_;
  File spill_;
  bool spilled_ = false;
  bool html_end_ = false;
};

// The line being gathered and what the links after it need.
struct LineState {
  LineState(std::size_t held, WriteFailures& writes) : record(held, writes) {}
  LineMarkup record;       // the line's markup
  std::string query;       // its words, each followed by one blank
  int word_count = 0;
  std::size_t last_length = 0;  // query length before its last word
  std::string link_word;
  bool link_word_set = false;
  std::string links;  // the lines after the markup, written at once
};

// The fields of a record that closing a line needs.
struct LineStart {
  std::string_view id, n, word, page;
};

// Writes the gathered line and its links; `rec` is the record that begins
// the next line, or the group's last record when the group ends.
void close_line(LineWriter& out, Context& ctx, const std::string& g, LineState& s, const LineStart& rec,
                bool another_line_follows) {
  const RunState& state = ctx.state;
  if (!s.link_word_set) {
    s.link_word = rec.id;
    s.link_word_set = true;
  }
  std::string& b = s.links;
  b.clear();
  if (!s.record.holds_html_end()) {
    s.record.write_to(out);
    b += "<br>\r\n";
  }
  s.record.discard();
  if (another_line_follows) {
    append_all(s.record.entry(rec.word), "<span id=\"", rec.id, "_", rec.n, "\">", rec.word, " &nbsp </span>&nbsp <a href=\"i_",
                                 g, ".htm#", rec.id, "\">", rec.word, "</a></span>");
  }
  append_all(b, "<a href=\"i_", g, ".htm#", s.link_word, "\">i_", g, "</a>\r\n&nbsp <a href=\"index.htm#", s.link_word,
                 "\">index</a>\r\n&nbsp <a href=\"files_list.htm#", rec.page, "\"> Content (", rec.page, ")</a>\r\n");
  if (another_line_follows) s.link_word = rec.id;
  const std::string query = encode_query(
      s.word_count <= kMaxQueryWords ? s.query : random_query(s.query, s.last_length, ctx.state.rand));
  s.query.clear();
  for (const std::string* site : {&state.search_site, &state.target_address}) {
    if (site->empty()) continue;
    append_all(b, "&nbsp <a href=\"", kEngine, "/search?q=", query, " site:", *site, "\"> ", *site, "</a>\r\n");
  }
  append_all(b, "&nbsp <a href=\"", kEngine, "/search?q=", query, "\"> web_search </a>\r\n<br><br>\r\n");
  out.raw(b);
  if (another_line_follows) {
    append_all(s.query, blanks_trimmed(rec.word), " ");
    s.word_count = 1;
  }
}

}  // namespace

std::string random_query(std::string_view words, std::size_t last_length, MsvcrtRand& rand) {
  std::array<std::string, kMaxQueryWords> slots;
  for (std::string& slot : slots) {
    // floor(rand / 32768 * L), computed exactly.
    std::size_t p = static_cast<std::size_t>(rand.next()) * last_length / 32768;
    if (p < 1) p = 1;
    const std::size_t b1 = find_at(words, " ", p);
    if (b1 >= 1 && b1 <= last_length) {
      const std::size_t b2 = find_at(words, " ", b1 + 1);
      if (b2 > b1) slot.assign(words.substr(b1 - 1, b2 - b1));
    }
  }
  for (std::size_t k = 0; k + 1 < slots.size(); ++k) {
    for (std::size_t j = k + 1; j < slots.size(); ++j) {
      if (slots[j] == slots[k]) slots[j].clear();
    }
  }
  std::string query;
  for (const std::string& slot : slots) query += slot;
  return query;
}

std::string encode_query(std::string_view query) {
  std::string out;
  out.reserve(query.size());
  std::size_t from = 0;  // bytes before `from` are in `out`
  for (std::size_t i = 0; i < query.size(); ++i) {
    const char* escaped = nullptr;
    switch (query[i]) {
      case '%': escaped = "%25"; break;
      case '&': escaped = "%26"; break;
      case '#': escaped = "%23"; break;
      case '+': escaped = "%2B"; break;
      default: continue;
    }
    append_all(out, query.substr(from, i - from), escaped);
    from = i + 1;
  }
  out.append(query.substr(from));
  return out;
}

void write_search_page(Context& ctx, int group, std::size_t held_line_bytes) {
  const std::string g = std::to_string(group);
  LineWriter out;
  out.create("s_" + g + ".htm");
  write_page_head(out, "<title>search.htm, content (only words) from input *.htm files</title>");
  write_highlight_script(out, ctx.state.highlight);

  RecordLines in("wrd_24_" + g + ".txt", kFieldCount);
  LineState s(held_line_bytes, ctx.state.writes);
  bool more = in.next();
  std::string line_key(more ? in[kLine] : std::string_view());
  const bool any = more;
  std::string last_id, last_page;  // of the record before
  for (; more; more = in.next()) {
    const std::string_view id = in[kId];
    if (in[kLine] == line_key) {
      append_all(s.record.entry(in[kWord]), " <span id=\"", id, "_", in[kN], "\"><a href=\"i_", g, ".htm#", id, "\">", in[kWord],
                                   "</a></span>");
      s.record.settle();
      s.last_length = s.query.size();
      append_all(s.query, blanks_trimmed(in[kWord]), " ");
      ++s.word_count;
    } else {
      close_line(out, ctx, g, s, {id, in[kN], in[kWord], in[kPage]}, true);
      line_key.assign(in[kLine]);
    }
    last_id.assign(id);
    last_page.assign(in[kPage]);
  }
  // The last line is closed like the others, with the links of its own page.
  if (any) close_line(out, ctx, g, s, {last_id, {}, {}, last_page}, false);
  out.line("</body> <br>");
  out.line("</html> <br>");
  ctx.state.writes.note(out.close());
}

}  // namespace textpair
