#include "site/search_pages.h"

#include <algorithm>
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
const char* const kQuerySpillName = "search_query.txt";

// The markup of the line being gathered. Up to `held` bytes stay in memory;
// a longer line goes on in a scratch file, so that a line of any length
// takes bounded memory. "</html>" can only stand inside a word: the markup
// around the words neither holds it nor completes it, so the words alone are
// looked at.
class LineMarkup {
 public:
  LineMarkup(std::size_t held, IoFailures& failures) : held_(held), failures_(failures) {}
  ~LineMarkup() { discard(); }
  // Append the whole entry of `word` to the text returned, then call settle().
  std::string& entry(std::string_view word) {
    html_end_ = html_end_ || contains_nocase(word, "</html>");
    return text_;
  }
  void settle() {
    if (text_.size() <= held_) return;
    if (!spilled_) spilled_ = spill_.open(native_path(kSpillName), File::Mode::kCreate);
    if (!spill_.write(text_)) failures_.note(spill_.status());
    text_.clear();
  }
  bool holds_html_end() const { return html_end_; }
  // The whole markup, the scratch part first.
  void write_to(LineWriter& out) {
    if (spilled_) {
      failures_.note(spill_.close());
      File in(native_path(kSpillName), File::Mode::kRead);
      std::string chunk(std::size_t{1} << 16, '\0');
      for (std::size_t n; (n = in.read(chunk.data(), chunk.size())) > 0;) out.raw(std::string_view(chunk).substr(0, n));
      failures_.note_read(in.close());
    }
    out.raw(text_);
  }
  // Empties the markup for the next line.
  void discard() {
    if (spilled_) {
      // Scratch: a failure here is noted where the markup is written, and
      // a file left behind goes with the run's clean-up.
      ignore_result(spill_.close());
      ignore_result(remove_file(native_path(kSpillName)));
      spilled_ = false;
    }
    html_end_ = false;
    text_.clear();
  }

 private:
  std::size_t held_;
  IoFailures& failures_;
  std::string text_;
  File spill_;
  bool spilled_ = false;
  bool html_end_ = false;
};

// The words of a query as one text, each followed by one blank, read the
// way the random draw reads them: 1-based positions, as find_at() counts.
class QueryText {
 public:
  explicit QueryText(std::string_view words) : words_(words) {}
  // Position of the first blank at or after `from`; 0 when there is none.
  std::size_t find_blank(std::size_t from) { return find_at(words_, " ", from); }
  // `length` bytes from position `at`.
  std::string bytes(std::size_t at, std::size_t length) { return std::string(words_.substr(at - 1, length)); }

 private:
  std::string_view words_;
};

// Up to 28 distinct words drawn at random from `text`, never its first word.
template <class Text>
std::string draw_query(Text& text, std::size_t last_length, MsvcrtRand& rand) {
  std::array<std::string, kMaxQueryWords> slots;
  for (std::string& slot : slots) {
    // floor(rand / 32768 * L), computed exactly.
    std::size_t p = static_cast<std::size_t>(rand.next()) * last_length / 32768;
    if (p < 1) p = 1;
    const std::size_t b1 = text.find_blank(p);
    if (b1 >= 1 && b1 <= last_length) {
      const std::size_t b2 = text.find_blank(b1 + 1);
      if (b2 > b1) slot = text.bytes(b1, b2 - b1);
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

// The words of the line being gathered, each followed by one blank. Up to
// `held` bytes stay in memory; the words before them wait in a scratch file,
// so that a line of any length takes bounded memory. A line of more than 28
// words is searched for by words drawn at random, which are then read from
// the scratch file where they lie there.
class QueryWords {
 public:
  QueryWords(std::size_t held, IoFailures& failures) : held_(held), failures_(failures) {}
  ~QueryWords() { clear(); }
  QueryWords(const QueryWords&) = delete;
  QueryWords& operator=(const QueryWords&) = delete;

  void add(std::string_view word) {
    last_length_ = size();
    append_all(text_, blanks_trimmed(word), " ");
    ++count_;
    if (text_.size() <= held_) return;
    if (!spilled_) spilled_ = spill_.open(native_path(kQuerySpillName), File::Mode::kCreate);
    if (!spill_.write(text_)) failures_.note(spill_.status());
    spilled_bytes_ += text_.size();
    text_.clear();
  }
  // The query of the line: its words, or words drawn at random past 28.
  std::string query(MsvcrtRand& rand) {
    if (!spilled_) {
      if (count_ <= kMaxQueryWords) return text_;
      QueryText text(text_);
      return draw_query(text, last_length_, rand);
    }
    failures_.note(spill_.close());
    File in(native_path(kQuerySpillName), File::Mode::kRead);
    SpilledText text(in, spilled_bytes_, text_);
    std::string query = count_ <= kMaxQueryWords ? text.bytes(1, size()) : draw_query(text, last_length_, rand);
    failures_.note_read(in.close());
    return query;
  }
  // Empties the words for the next line.
  void clear() {
    if (spilled_) {
      ignore_result(spill_.close());
      ignore_result(remove_file(native_path(kQuerySpillName)));
      spilled_ = false;
    }
    spilled_bytes_ = 0;
    text_.clear();
    count_ = 0;
  }

 private:
  // The words as the scratch file's bytes followed by the held ones.
  class SpilledText {
   public:
    SpilledText(File& file, std::size_t file_bytes, std::string_view held)
        : file_(file), file_bytes_(file_bytes), held_(held) {}
    std::size_t find_blank(std::size_t from) {
      if (from < 1) from = 1;
      for (std::size_t at = from; at <= file_bytes_;) {  // in the file, block by block
        const std::string_view block = read(at, std::min(kBlock, file_bytes_ - at + 1));
        if (block.empty()) return 0;  // the scratch file could not be read
        const std::size_t blank = block.find(' ');
        if (blank != std::string_view::npos) return at + blank;
        at += block.size();
      }
      const std::size_t in_held = from > file_bytes_ ? from - file_bytes_ : 1;
      const std::size_t blank = find_at(held_, " ", in_held);
      return blank == 0 ? 0 : file_bytes_ + blank;
    }
    std::string bytes(std::size_t at, std::size_t length) {
      std::string out;
      while (length > 0 && at <= file_bytes_) {
        const std::string_view block = read(at, std::min({kBlock, length, file_bytes_ - at + 1}));
        if (block.empty()) return out;
        out += block;
        at += block.size();
        length -= block.size();
      }
      if (length > 0) out += held_.substr(at - file_bytes_ - 1, length);
      return out;
    }

   private:
    static constexpr std::size_t kBlock = std::size_t{1} << 16;
    // Up to `length` bytes of the file from position `at`; fewer only when
    // the file cannot be read.
    std::string_view read(std::size_t at, std::size_t length) {
      buffer_.resize(length);
      if (!file_.seek(at - 1)) return {};
      std::size_t got = 0;
      for (std::size_t n; got < length && (n = file_.read(buffer_.data() + got, length - got)) > 0;) got += n;
      return std::string_view(buffer_).substr(0, got);
    }
    File& file_;
    std::size_t file_bytes_;
    std::string_view held_;
    std::string buffer_;
  };

  std::size_t size() const { return spilled_bytes_ + text_.size(); }

  std::size_t held_;
  IoFailures& failures_;
  std::string text_;  // the words after the scratch file's
  File spill_;
  bool spilled_ = false;
  std::size_t spilled_bytes_ = 0;
  int count_ = 0;
  std::size_t last_length_ = 0;  // the words' length before the last one
};

// The line being gathered and what the links after it need.
struct GatheredLine {
  GatheredLine(std::size_t held, IoFailures& failures) : record(held, failures), words(held, failures) {}
  LineMarkup record;  // the line's markup
  QueryWords words;   // its words
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
void close_line(LineWriter& out, Context& ctx, const std::string& g, GatheredLine& s, const LineStart& rec,
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
    append_all(s.record.entry(rec.word), "<span id=\"", rec.id, "_", rec.n, "\">", rec.word,
               " &nbsp </span>&nbsp <a href=\"i_", g, ".htm#", rec.id, "\">", rec.word, "</a></span>");
  }
  append_all(b, "<a href=\"i_", g, ".htm#", s.link_word, "\">i_", g, "</a>\r\n&nbsp <a href=\"index.htm#", s.link_word,
             "\">index</a>\r\n&nbsp <a href=\"files_list.htm#", rec.page, "\"> Content (", rec.page, ")</a>\r\n");
  if (another_line_follows) s.link_word = rec.id;
  const std::string query = encode_query(s.words.query(ctx.state.rand));
  s.words.clear();
  for (const std::string* site : {&state.search_site, &state.target_address}) {
    if (site->empty()) continue;
    append_all(b, "&nbsp <a href=\"", kEngine, "/search?q=", query, " site:", *site, "\"> ", *site, "</a>\r\n");
  }
  append_all(b, "&nbsp <a href=\"", kEngine, "/search?q=", query, "\"> web_search </a>\r\n<br><br>\r\n");
  out.raw(b);
  if (another_line_follows) s.words.add(rec.word);
}

}  // namespace

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

  // The next page, the last field, is not needed here.
  static_assert(kPage < kN && kLine < kN && kWord < kN && kId < kN);
  RecordLines in(kept_next_page_list(static_cast<std::size_t>(group)), kN + 1, ctx.state.failures);
  GatheredLine s(held_line_bytes, ctx.state.failures);
  bool more = in.next();
  std::string line_key(more ? in[kLine] : std::string_view());
  const bool any = more;
  std::string last_id, last_page;  // of the record before
  for (; more; more = in.next()) {
    const std::string_view id = in[kId];
    if (in[kLine] == line_key) {
      append_all(s.record.entry(in[kWord]), " <span id=\"", id, "_", in[kN], "\"><a href=\"i_", g, ".htm#", id, "\">",
                 in[kWord], "</a></span>");
      s.record.settle();
      s.words.add(in[kWord]);
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
  ctx.state.failures.note(out.close());
}

}  // namespace textpair
