#include "site/annotated_pages.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/flag_file.h"
#include "common/lines.h"
#include "common/records.h"
#include "common/scratch_file.h"
#include "common/word_records.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "site/page_lines.h"
#include "site/page_parts.h"

namespace textpair {

namespace {

using namespace next_page_record;

// The page names in name order, for the Before and Next links.
class PageOrder {
 public:
  void load(IoFailures& failures) {
    LineReader in("group_page_all_sort.txt", failures);
    std::string line;
    while (in.next(line)) names_.push_back(lower_ascii(line));
  }
  // The page before and after `page`; empty when there is none.
  void neighbours(const std::string& page, std::string& before, std::string& after) const {
    before.clear();
    after.clear();
    const std::string want = lower_ascii(page);
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (names_[i] != want) continue;
      if (i > 0) before = names_[i - 1];
      if (i + 1 < names_.size()) after = names_[i + 1];
      return;
    }
  }

 private:
  std::vector<std::string> names_;
};

void write_navigation(LineWriter& out, const PageOrder& order, const std::string& page, bool next_blank) {
  std::string before, after;
  order.neighbours(page, before, after);
  if (!before.empty()) out.line("<a href=\"" + before + "\"> Before </a> ");
  if (!after.empty()) out.line("<a href=\"" + after + "\"> Next </a>" + (next_blank ? " " : ""));
  out.line("<a href=\"files_list.htm\"> Content </a><br>");
}

// One page being rewritten, read in step with its records.
class PageRewriter {
 public:
  PageRewriter(Context& ctx, const PageOrder& order, const std::string& group, std::size_t held_line_bytes)
      : ctx_(ctx), order_(order), group_(group), in_(held_line_bytes) {}

  bool is_open() const { return !page_.empty(); }
  const std::string& page() const { return page_; }
  long long line_number() const { return line_no_; }

  void open(std::string_view page) {
    page_ = page;
    std::size_t htm = page.find(".htm");
    work_name_ = std::string(htm == std::string::npos ? page : page.substr(0, htm)) + "_02.htm";
    // A page that cannot be read must not become word spans alone.
    if (!in_.open(page_)) ctx_.state.failures.note_read(in_.status());
    // The page is the run's largest file: its writes are made beside.
    out_.create_beside(work_name_);
    line_no_ = 0;
    has_last_ = false;
    top_written_ = false;
    title_open_ = false;
    line_in_title_ = false;
  }

  // Copies lines up to the record's line, which becomes the current line.
  void advance_to(long long line) {
    while (line_no_ < line) {
      if (!in_.next()) {  // records past the page's end: nothing to copy
        line_no_ = line;
        has_last_ = false;
        return;
      }
      ++line_no_;
      has_last_ = false;
      note_title();
      if (!top_written_ && is_body_line()) {
        write_highlight_script(out_, ctx_.state.highlight);
        out_.line("<br>");
        write_navigation(out_, order_, page_, true);
        top_written_ = true;
      }
      if (line_no_ < line) write_line();
    }
  }

  // The occurrence's lines, the text before it included, in one write;
  // `later_here` when the word occurs again later on this page.
  void write_occurrence(const RecordLines& rec, bool later_here) {
    const std::string_view id = rec[kId];
    const std::string_view n = rec[kN];
    const std::string_view word = rec[kWord];
    const std::string_view page = rec[kPage];
    const std::size_t pos = static_cast<std::size_t>(read_number(rec[kColumn]));
    // The text between the last word and this one. A word that lies before
    // the last one's end (records out of text order) gets no text before it,
    // and the line is never written from an earlier point again.
    const std::size_t from = has_last_ ? last_end_ : 1;
    const std::size_t to = pos > 0 ? pos - 1 : 0;
    has_last_ = true;
    last_end_ = std::max(from, pos + word.size());
    std::string& b = piece_;
    b.clear();
    const std::string_view before = in_.whole() ? bytes_of_line(from, to) : std::string_view();
    if (in_.whole() && before.size() <= kJoinedText) {
      append_all(b, before, "\r\n");
    } else {
      in_.copy(from, to, out_);
      out_.raw("\r\n");
    }
    if (line_in_title_) {  // nothing inside a title is markup
      append_all(b, word, "\r\n");
      out_.raw(b);
      return;
    }
    append_all(b, "<span id=\"", id, "\" type = \"text/javascript\"ondblclick = \"window.open('", page, "#", id,
               "'); window.event.cancelbubble = true;\">", word, "</span>\r\n");
    if (word == "Pages_list") {
      out_.raw(b);
      return;
    }
    append_all(b, "<span hidden id=\"", id, "\">\r\n(", n, ")(<a href=\"#", id, "_");
    if (later_here) {
      const long long number = read_number(n);
      append_number(b, number + 1);
      b += "\">&gt;</a>,\r\n";
    } else {
      append_all(b, n, "\"></a>\r\n");
    }
    append_all(b, "<a href=\"i_", group_, ".htm#", id, "\">i</a>,\r\n<a href=\"s_", group_, ".htm#", id, "_", n,
               "\">s</a>,\r\n");
    if (rec[kNext].empty()) {
      b += "<a href=\"files_list.htm\">c)</a></span>\r\n";
    } else {
      append_all(b, "<a href=\"files_list.htm\">c</a>,\r\n<a href=\"", rec[kNext], "#", id,
                 "\">&gt;&gt;)</a></span>\r\n");
    }
    append_all(b, "<span id=\"", id, "_", n, "\"></span>\r\n");
    out_.raw(b);
  }

  // The bytes of the current line after its last word.
  void write_rest_of_line() {
    in_.copy(has_last_ ? last_end_ : 1, kWholeLine, out_);
    out_.raw("\r\n");
  }

  // Copies the remaining lines, with the navigation lines again before the
  // body's end, and puts the rewritten page in place of the page file.
  void finish(bool next_blank) {
    while (in_.next()) {
      if (holds("</body>")) {
        out_.line("<br>");
        write_navigation(out_, order_, page_, next_blank);
      }
      write_line();
    }
    ctx_.state.failures.note_read(in_.status());
    in_.close();
    ctx_.state.failures.note(out_.close());
    // A page read or written in part does not take the page file's place.
    if (ctx_.state.failures.any()) {
      page_.clear();
      return;
    }
    // The rewritten page takes the page file's place; it is moved, not
    // copied, unless the system cannot move it.
    if (!rename_path(native_path(work_name_), native_path(page_)).ok()) {
      run_command(ctx_.console, ctx_.state.failures, "copy " + work_name_ + " " + page_ + " > out_null.list");
    }
    page_.clear();
  }

 private:
  // Bytes a..b (1-based, inclusive) of the current line, as mid() takes them,
  // without a copy.
  std::string_view bytes_of_line(std::size_t a, std::size_t b) const {
    const std::string_view line = in_.line();
    if (a < 1) a = 1;
    if (b > line.size()) b = line.size();
    if (b < a) return {};
    return line.substr(a - 1, b - a + 1);
  }
  static constexpr std::size_t kWholeLine = static_cast<std::size_t>(-1);
  // The current line, whole, with its line end.
  void write_line() {
    if (in_.whole()) {
      out_.line(in_.line());
    } else {
      in_.copy(1, kWholeLine, out_);
      out_.raw("\r\n");
    }
  }
  bool holds(std::string_view needle) {
    char before;
    return in_.find_nocase(needle, before) != std::string_view::npos;
  }
  // A line whose first "body" (in any case) is the name of a tag.
  bool is_body_line() {
    char before;
    const std::size_t at = in_.find_nocase("body", before);
    return at != std::string_view::npos && at >= 1 && before == '<';
  }
  // Text before a word up to this size goes into the occurrence's buffer;
  // longer text is written on its own.
  static constexpr std::size_t kJoinedText = 4096;

  // Title lines run from one holding "<title" to the next holding "</title>".
  void note_title() {
    const bool title_end = holds("</title>");
    if (title_open_) {
      line_in_title_ = true;
      title_open_ = !title_end;
    } else if (holds("<title")) {
      line_in_title_ = true;
      title_open_ = !title_end;
    } else {
      line_in_title_ = false;
    }
  }

  Context& ctx_;
  const PageOrder& order_;
  const std::string& group_;
  std::string page_, work_name_;
  PageLines in_;
  LineWriter out_;
  long long line_no_ = 0;
  bool has_last_ = false;
  std::size_t last_end_ = 0;  // 1-based position right after the last word
  bool top_written_ = false;
  bool title_open_ = false;
  bool line_in_title_ = false;
  std::string piece_;
};

}  // namespace

void annotate_group(Context& ctx, int group, std::size_t held_line_bytes) {
  const std::string g = std::to_string(group);
  const std::string list = kept_next_page_list(static_cast<std::size_t>(group));

  // Whether a word occurs again later on the same page: the word lists flag
  // each record of wrd_24_K in wrd_25_K. A record past the last flag gets no
  // link to a later occurrence.
  FlagReader flags;
  const std::string flag_file = "wrd_25_" + g + ".txt";
  bool flagged = flags.open(flag_file, ctx.state.failures);
  // The word lists always leave the flags: one that is there and cannot be
  // opened must not drop the links quietly.
  if (!flagged && path_exists(native_path(flag_file))) ctx.state.failures.note_read(flags.status());
  auto later_here = [&] {
    bool flag = false;
    if (flagged && flags.next(flag)) return flag;
    flagged = false;
    return false;
  };

  PageOrder order;
  order.load(ctx.state.failures);
  PageRewriter page(ctx, order, g, held_line_bytes);
  RecordLines in(list, kFieldCount, ctx.state.failures);
  if (!in.is_open()) return;
  while (in.next()) {
    const long long line = read_number(in[kLine]);
    const std::string_view rec_page = in[kPage];
    if (!page.is_open()) {
      page.open(rec_page);
    } else {
      if (line != page.line_number() || rec_page != page.page()) page.write_rest_of_line();
      if (rec_page != page.page()) {
        page.finish(false);
        page.open(rec_page);
      }
    }
    page.advance_to(line);
    page.write_occurrence(in, later_here());
  }
  if (page.is_open()) {
    page.write_rest_of_line();
    page.finish(true);
  }
  // The flags have no other reader.
  flags.close();
  drop_work_file(flag_file);
}

}  // namespace textpair
