#include "indexing/word_extraction.h"

#include <algorithm>

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "common/records.h"
#include "common/scratch_file.h"
#include "common/word_records.h"
#include "platform/ascii_case.h"
#include "steps/sort_file.h"

namespace textpair {

namespace {

constexpr std::size_t kMinWordBytes = 3;

// A tag: 1-based positions of its "<" and of its ">" (of the line's last
// byte when the tag is still open there).
struct Tag {
  std::size_t open;
  std::size_t close;
};

std::size_t first_of(std::string_view s, char c) {
  std::size_t p = s.find(c);
  return p == std::string_view::npos ? 0 : p + 1;
}

std::size_t first_of(std::string_view s, std::string_view needle) {
  std::size_t p = s.find(needle);
  return p == std::string_view::npos ? 0 : p + 1;
}

// The same in any letter case; `needle` is in lower case.
std::size_t first_of_nocase(std::string_view s, std::string_view needle) {
  std::size_t p = find_nocase(s, needle);
  return p == std::string_view::npos ? 0 : p + 1;
}

// Whether the keyword at `s` (1-based, 0 = absent) stands in a tag: the line
// has a "<" before it, and the "<" found by searching from s - 1, then s - 2
// and so on, is right before the keyword or separated from it by blanks only.
// A search from s - 1 that finds a "<" after the keyword fails the test.
bool keyword_in_tag(std::string_view line, std::size_t s) {
  std::size_t lt = first_of(line, '<');
  if (lt == 0 || s == 0 || lt >= s) return false;
  std::size_t q = line.find('<', s - 2);  // 0-based index of position s - 1
  if (q == std::string_view::npos) q = line.rfind('<', s - 3);
  q += 1;
  if (q == s - 1) return true;
  if (q > s - 1) return false;
  for (std::size_t i = q + 1; i < s; ++i) {
    if (line[i - 1] != ' ') return false;
  }
  return true;
}

// Drops an opening and a closing double quote and turns the others into
// apostrophes; the column moves with a dropped opening quote.
void add_candidate(std::string_view line, std::size_t from, std::size_t to, std::size_t scan_pos, CutWord& cut,
                   const OnWord& on_word) {
  if (to < from) return;
  std::string_view w = line.substr(from - 1, to - from + 1);
  std::size_t column = from;
  if (!w.empty() && w.front() == '"') {
    w.remove_prefix(1);
    ++column;
  }
  if (!w.empty() && w.back() == '"') w.remove_suffix(1);
  if (w.size() < kMinWordBytes) return;
  cut.scan_pos = scan_pos;
  cut.column = column;
  cut.word.assign(w);
  std::replace(cut.word.begin(), cut.word.end(), '"', '\'');
  on_word(cut);
}

// One kind of block (script or style): the opening test runs while the block
// is neither opened nor closed, the closing test while it is open, the
// opening line included. False while the line belongs to the block; the
// closing line still belongs to it and ends it.
bool outside_block(bool& opened, bool& closed, bool may_open, std::string_view line, std::size_t open_at,
                   std::size_t close_at) {
  if (!opened && !closed && may_open && keyword_in_tag(line, open_at)) opened = true;
  if (opened && !closed && keyword_in_tag(line, close_at)) closed = true;
  if (!opened) return true;
  if (closed) opened = closed = false;
  return false;
}

// Script tags are found as written, style tags in any letter case; a line
// with an inline style attribute never opens a style block.
bool outside_blocks(std::string_view line, ScanState& st) {
  if (!outside_block(st.script_opened, st.script_closed, true, line, first_of(line, "script"),
                     first_of(line, "/script"))) {
    return false;
  }
  const bool may_open_style = line.find("style=") == std::string_view::npos;
  return outside_block(st.style_opened, st.style_closed, may_open_style, line, first_of_nocase(line, "style"),
                       first_of_nocase(line, "/style"));
}

// Numbered link lines (a link target numbered above 2000) and look_at: lines
// in front of a link are not indexed.
bool is_link_line(std::string_view line) {
  std::size_t h = first_of_nocase(line, "href=");
  std::size_t skip = 7;
  if (h == 0) {
    h = first_of_nocase(line, "href =");
    skip = 8;
  }
  if (h != 0) {
    std::size_t from = h + skip;  // 1-based
    std::string_view rest = from <= line.size() ? line.substr(from - 1) : std::string_view();
    if (read_number(rest) > 2000) return true;
  }
  std::size_t a = first_of_nocase(line, "look_at:");
  return a >= 1 && a < h;
}

// Builds the line's tag list; false when the line lies inside a tag opened
// on an earlier line.
bool find_tags(std::string_view line, ScanState& st, std::vector<Tag>& tags) {
  tags.clear();
  const std::size_t len = line.size();
  std::size_t gt = first_of(line, '>');
  if (st.open_tag_carry && gt == 0) return false;
  std::size_t p = 0;
  if (st.open_tag_carry) {
    tags.push_back({1, gt});
    p = gt;
    st.open_tag_carry = false;
  }
  for (;;) {
    std::size_t o = p < len ? line.find('<', p) : std::string_view::npos;
    if (o == std::string_view::npos) break;
    std::size_t c = line.find('>', o + 1);
    if (c == std::string_view::npos) {
      tags.push_back({o + 1, len});
      st.open_tag_carry = true;
      break;
    }
    tags.push_back({o + 1, c + 1});
    p = c + 1;
  }
  return !(st.open_tag_carry && tags.size() == 1 && tags[0].open == 1 && tags[0].close == len);
}

// Cuts the words between tags and blanks; the cases are tested at every
// position outside a tag's inside, with O, C, B and P the last tag start,
// the last tag end, the last blank and the blank before it. A blank counts
// outside tags only (a tag's "<" and its end included).
void cut_words(std::string_view line, const std::vector<Tag>& tags, const OnWord& on_word) {
  CutWord cut;
  const std::size_t len = line.size();
  const std::size_t href = first_of_nocase(line, "href=");
  std::size_t o = 0, cl = 0, b = 0, p = 0;
  std::size_t ti = 0;
  for (std::size_t c = 1; c <= len; ++c) {
    while (ti < tags.size() && tags[ti].close < c) ++ti;
    const bool in_tag = ti < tags.size();
    if (in_tag && tags[ti].open < c && c < tags[ti].close) {
      c = tags[ti].close - 1;  // on to the tag's end
      continue;
    }
    const bool starts = in_tag && tags[ti].open == c;
    const bool ends = in_tag && tags[ti].close == c;
    const bool blank = line[c - 1] == ' ' && !(in_tag && tags[ti].open <= c);
    // Nothing changes at a position that is none of these.
    if (!starts && !ends && !blank && c != len) continue;
    if (starts) o = c;
    // A "<" at the line's last byte opens a tag that goes on in a later line:
    // the text before it is cut as before any other tag, and only then does
    // the tag count as ended here.
    const bool open_at_end = starts && ends;
    if (ends && !open_at_end) cl = c;
    if (blank) {
      b = c;
      if (p < c && o == 0 && cl == 0) {
        add_candidate(line, p + 1, c - 1, c, cut, on_word);
      } else if (o < c && cl < c && o < cl && p < o) {
        add_candidate(line, cl + 1, c - 1, c, cut, on_word);
      } else if (p < c && o < cl && cl < p) {
        add_candidate(line, p + 1, c - 1, c, cut, on_word);
      }
    }
    if (starts) {
      if (cl < o && p < cl && b < cl) {
        // Text right after a link tag is the link's address: the rest of
        // the line is left out.
        if (href >= 1 && href < cl) return;
        add_candidate(line, cl + 1, c - 1, c, cut, on_word);
      } else if (cl < b && b < o) {
        add_candidate(line, b + 1, c - 1, c, cut, on_word);
      } else if (cl == 0 && b == 0 && c > 1) {
        // Text at the start of the line that runs straight into a tag.
        add_candidate(line, 1, c - 1, c, cut, on_word);
      }
    }
    if (open_at_end) cl = c;
    if (c == len) {
      if (b < o && o < cl) {
        add_candidate(line, cl + 1, len, c, cut, on_word);
      } else if (cl < b && b < len) {
        add_candidate(line, b + 1, len, c, cut, on_word);
      } else if (o == 0 && cl == 0 && b == 0 && p == 0) {
        add_candidate(line, 1, len, c, cut, on_word);
      }
    }
    if (blank) p = c;
  }
}

}  // namespace

bool scan_line(std::string_view line, ScanState& state, std::vector<CutWord>& words) {
  words.clear();
  return scan_line(line, state, [&](const CutWord& w) { words.push_back(w); });
}

bool scan_line(std::string_view line, ScanState& state, const OnWord& on_word) {
  // Case-insensitive tests look at the line itself: a line of any length
  // is held once.
  if (!outside_blocks(line, state)) return false;
  if (is_link_line(line)) return false;
  std::vector<Tag> tags;
  if (!find_tags(line, state, tags)) return false;
  cut_words(line, tags, on_word);
  return true;
}

std::uint64_t extract_listed_pages(const std::string& listing, ExternalSorter& sorter, IoFailures& failures,
                                   TextPlaceWriter* text) {
  LineReader names(listing, failures);
  ScanState state;
  std::string name, line_number, key, record;
  std::string_view line;  // in the reader's buffer
  std::uint64_t words = 0;
  while (names.next(name)) {
    const std::string page = lower_ascii(name);
    if (page.find(".htm") == std::string::npos) continue;
    state.start_page();
    LineReader in(page, failures);
    std::size_t line_no = 0;
    std::size_t numbered = 0;  // the line that line_number holds
    // Each word goes out as it is cut: a line of any length holds no list of its words.
    const OnWord cut = [&](const CutWord& w) {
      // A record field holds at most kMaxFieldBytes bytes when it is read;
      // the word and its key are cut to that here, before they are sorted.
      const std::string_view word = std::string_view(w.word).substr(0, kMaxFieldBytes);
      key.assign(word);
      for (char& c : key) c = ascii_lower(c);
      if (contains(key, "&nbsp;")) return;
      if (numbered != line_no) {
        line_number = line_field(line_no);
        numbered = line_no;
      }
      append_keyed_record(record, {.key = key, .page = page, .word = word, .line = line_no, .ordinal = words++});
      sorter.add(record);
      if (text != nullptr) text->add(page, line_number, column_field(w.column, line.size()), word);
    };
    while (in.next(line)) {
      ++line_no;
      scan_line(line, state, cut);
    }
  }
  return words;
}

Flow extract_words(Context& ctx) {
  run_command(ctx.console, ctx.state.failures, "dir /b > dir_01.txt");
  run_command(ctx.console, ctx.state.failures, "del /q *.txt");
  run_command(ctx.console, ctx.state.failures, "dir /b page_*.htm > dir_02.txt");
  clear_sort_pieces(ctx.console, ctx.state.failures);
  // Pieces of 4 MiB, each sorted and written out beside the extraction
  // while the next one fills, still in the processor's cache: the two take
  // the memory one piece of 8 MiB took. The word lists read up to 128 of
  // them at once (a 64 KiB buffer each): those of some 7 million words are
  // not merged first.
  ExternalSorter sorter("wrd_01_01.txt", "wrd_01_02.txt", ctx.state.failures,
                        {.piece_bytes = std::size_t{4} << 20, .fan_in = 128, .beside = true}, 0, kKeyedPieces);
  TextPlaceWriter text;
  text.create(kTextOrderWords);
  extract_listed_pages("dir_02.txt", sorter, ctx.state.failures, &text);
  ctx.state.failures.note(text.close());
  return sorter.settle(ctx.console, sorter.finish_pieces());
}

}  // namespace textpair
