#include "indexing/word_lists.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <memory>

#include "commands/run_command.h"
#include "steps/folders.h"
#include "common/bytes.h"
#include "common/flag_file.h"
#include "common/lines.h"
#include "common/records.h"
#include "common/word_records.h"
#include "prompts/prompts.h"
#include "indexing/external_sort.h"
#include "indexing/word_extraction.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

namespace keyed = keyed_record;
namespace occurrence = occurrence_record;
namespace word_order = word_order_record;
namespace next_page = next_page_record;


// Parses an id's number; false for anything but "id" and digits.
bool id_number(std::string_view id, std::uint64_t& number) {
  if (id.size() < 3 || id.substr(0, 2) != "id") return false;
  const char* end = id.data() + id.size();
  auto [ptr, ec] = std::from_chars(id.data() + 2, end, number);
  return ec == std::errc() && ptr == end;
}

// A field of the record being written and the field of the record read
// that fills it.
struct FieldFrom {
  std::size_t to, from;
};

template <std::size_t count, typename Record>
void take(RecordFields<count>& to, const Record& from, std::initializer_list<FieldFrom> fields) {
  for (const FieldFrom& f : fields) {
    if (f.to < count) to[f.to] = from[f.from];
  }
}

// A group's word-order list written as the key-sorted records come, for a
// run whose records all fall in group 1. The records of a word come
// together, in key order; the list wants them in text order, so each word's
// records are held and put in order by their ordinals before they are
// written. A word whose records outgrow the hold goes through a sort of its
// own.
class WordOrderList {
 public:
  WordOrderList(Context& ctx, const std::string& name) : ctx_(ctx) { out_.create(name); }
  // One record of the word being taken: its ordinal key, its id and the
  // occurrence record line, CR LF included.
  void add(std::string_view ordinal, std::string_view id, std::string_view record) {
    const std::uint64_t key = read_ordinal(ordinal);
    if (!held_.empty() && held_.back().key > key) in_order_ = false;
    held_.push_back({key, bytes_.size(), 0});
    // The id in front of the occurrence record: "id","page",...
    bytes_ += '"';
    bytes_ += id;
    bytes_ += "\",";
    bytes_ += record;
    held_.back().size = bytes_.size() - held_.back().offset;
    if (bytes_.size() > kHoldBytes) spill();
  }
  // The word's records are all taken: writes them in text order.
  Flow end_word() {
    Flow flow = Flow::kGoOn;
    if (spill_) {
      spill();
      flow = spill_->finish([&](std::string_view line) { out_.line(line); });
      spill_.reset();
    } else if (in_order_) {
      out_.raw(bytes_);  // as they came: the usual case
    } else {
      std::sort(held_.begin(), held_.end(), [](const Held& a, const Held& b) { return a.key < b.key; });
      const std::string_view bytes(bytes_);
      for (const Held& h : held_) out_.raw(bytes.substr(h.offset, h.size));
    }
    held_.clear();
    bytes_.clear();
    in_order_ = true;
    return flow;
  }
  Flow finish() {
    const Flow flow = end_word();
    ctx_.state.writes.note(out_.close());
    return flow;
  }

 private:
  static constexpr std::size_t kHoldBytes = std::size_t{8} << 20;
  struct Held {
    std::uint64_t key;  // the ordinal
    std::size_t offset, size;
  };
  // Moves the held records into the word's own sort, led by their ordinals.
  void spill() {
    if (!spill_) {
      spill_ = std::make_unique<ExternalSorter>(ctx_, "wrd_13_1.txt", "wrd_14_1.txt",
                                                ExternalSortLimits{.piece_bytes = kHoldBytes}, kOrdinalWidth,
                                                SortScratch{"file_w_", "sort_words.txt"});
    }
    const std::string_view bytes(bytes_);
    for (const Held& h : held_) {
      line_.clear();
      append_ordinal(line_, h.key);
      line_.append(bytes.substr(h.offset, h.size - 2));  // without CR LF
      spill_->add(line_);
    }
    held_.clear();
    bytes_.clear();
  }
  Context& ctx_;
  LineWriter out_;
  std::string line_, bytes_;
  std::vector<Held> held_;
  bool in_order_ = true;
  std::unique_ptr<ExternalSorter> spill_;
};

// Word ids and occurrence numbers in one pass over the key-sorted records,
// handed to `numbered` to be sorted back into text order, each led by its
// entry in `nexts`. A word's id is the place of its first record. With
// `words`, the records also go to group 1's word-order list.
Flow number_occurrences(Context& ctx, NextPages& nexts, ExternalSorter& numbered, WordOrderList* words) {
  std::uint64_t count = 0;
  std::uint64_t n = 0;
  std::string id_key, id, number, record, line;
  bool first = true;
  RecordFields<occurrence::kFieldCount> occ;
  std::vector<std::string_view> in;
  Flow flow = Flow::kGoOn;
  const Flow merged = merge_pieces(ctx, kKeyedPieces, 0, [&](std::string_view keyed_line) {
    if (flow == Flow::kEnd) return;
    split_record(keyed_line, keyed::kFieldCount, in);
    if (first || in[keyed::kKey] != id_key) {
      if (words != nullptr && !first) flow = words->end_word();
      id_key = in[keyed::kKey];
      id = word_id(count);
      n = 0;
    }
    first = false;
    ++count;
    ++n;
    const std::string_view page = in[keyed::kPage];
    const std::size_t entry = nexts.add(id, page, n);
    if (!contains(page, "page_")) return;
    number = std::to_string(n);
    take(occ, in, {{occurrence::kPage, keyed::kPage}, {occurrence::kLine, keyed::kLine},
                   {occurrence::kColumn, keyed::kColumn}, {occurrence::kWord, keyed::kWord}});
    occ[occurrence::kId] = id;
    occ[occurrence::kN] = number;
    format_record(occ, record);
    // The ordinal sorts; the next-page entry (one more, 0 for none) rides along.
    line.assign(in[keyed::kOrdinal]);
    append_ordinal(line, entry == NextPages::kNoEntry ? 0 : entry + 1);
    line.append(record, 0, record.size() - 2);  // without CR LF
    numbered.add(line);
    if (words != nullptr) words->add(in[keyed::kOrdinal], id, record);
  });
  if (merged == Flow::kEnd || flow == Flow::kEnd) return Flow::kEnd;
  return words != nullptr ? words->finish() : Flow::kGoOn;
}

// In a normal run a single page file holds every word. With at most two
// page files group 1 takes every record, and its word-order list can be
// written as the records are numbered: key order is then id order, as long
// as every id has its eight digits (fewer than 10^8 records; a keyed record
// takes at least kLeastKeyedBytes bytes in its piece).
bool all_in_first_group() {
  constexpr std::uint64_t kLeastKeyedBytes = 48;
  constexpr std::uint64_t kEightDigitIds = 100'000'000;
  LineReader names("dir_02.txt");
  if (!names.is_open()) return false;
  std::string name;
  int pages = 0;
  while (names.next(name)) {
    if (lower_ascii(name).find(".htm") != std::string::npos) ++pages;
  }
  return pages <= 2 && pieces_bytes(kKeyedPieces) / kLeastKeyedBytes < kEightDigitIds;
}

void write_groups(const PageGrouping& grouping, WriteFailures& writes) {
  LineWriter all;
  all.create("group_page_all.txt");
  for (const std::string& page : grouping.pages()) all.line(page);
  writes.note(all.close());
  const auto& groups = grouping.groups();
  for (std::size_t k = 0; k < groups.size(); ++k) {
    RecordWriter out;
    out.create("group_search_" + std::to_string(k + 1) + ".txt");
    RecordFields<group_page_record::kFieldCount> r;
    for (const std::string& page : groups[k]) {
      r[group_page_record::kPage] = page;
      out.write(r);
    }
    writes.note(out.close());
  }
}

// The lists of one group: its records in text order with the next page of
// each word (wrd_24_K), and in word order (wrd_14_K), sorted as they come.
// Beside wrd_24_K, wrd_25_K flags each record that the same word follows
// later on the same page. The index of all words merges the groups' wrd_14_K
// lists.
class GroupLists {
 public:
  // With `word_order_written` the word-order list was written as the
  // records were numbered.
  GroupLists(Context& ctx, const NextPages& nexts, std::size_t k, bool word_order_written)
      : ctx_(ctx),
        nexts_(nexts),
        word_order_written_(word_order_written),
        words_(ctx, "wrd_13_" + std::to_string(k) + ".txt", "wrd_14_" + std::to_string(k) + ".txt", {},
               kIdKeyWidth + kOrdinalWidth, {"file_w_", "sort_words.txt"}) {
    text_.create("wrd_24_" + std::to_string(k) + ".txt");
    later_.create("wrd_25_" + std::to_string(k) + ".txt");
  }
  // Takes one record in text order (occurrence_record): the line as it was
  // formatted, its fields and its entry in `nexts` (kNoEntry for none).
  void add(std::string_view line, const std::vector<std::string_view>& r, std::size_t entry) {
    const std::string_view id = r[occurrence::kId];
    text_record_.assign(line);
    append_field(text_record_, entry == NextPages::kNoEntry ? std::string_view() : nexts_.next(entry));
    text_.write_built(text_record_);
    // A pair's occurrences are numbered upwards: all but its last have a later one.
    std::uint64_t n = 0;
    const std::string_view number = r[occurrence::kN];
    std::from_chars(number.data(), number.data() + number.size(), n);
    later_.add(entry != NextPages::kNoEntry && n < nexts_.last_number(entry));
    if (word_order_written_) return;
    // Sorted by id, then in text order, in which the records come.
    word_record_.clear();
    append_field(word_record_, id);
    append_fields(word_record_, line);
    key_.clear();
    append_id_key(key_, id);
    append_ordinal(key_, added_++);
    key_ += word_record_;
    words_.add(key_);
  }
  // Closes the text-order list and its flags and writes the word-order list.
  Flow finish() {
    ctx_.state.writes.note(text_.close());
    ctx_.state.writes.note(later_.close());
    return word_order_written_ ? Flow::kGoOn : words_.finish();
  }

 private:
  Context& ctx_;
  const NextPages& nexts_;
  bool word_order_written_;
  RecordWriter text_;
  FlagWriter later_;
  ExternalSorter words_;
  std::string text_record_, word_record_, key_;
  std::uint64_t added_ = 0;
};

// The number (from 1) of the group that holds `page`; the page was added last.
std::size_t group_of(const PageGrouping& grouping, std::string_view page) {
  const auto& groups = grouping.groups();
  for (std::size_t g = groups.size(); g > 0; --g) {
    if (std::find(groups[g - 1].begin(), groups[g - 1].end(), page) != groups[g - 1].end()) return g;
  }
  return groups.size();
}

// Filter, page groups and the group lists, in one pass over the numbered
// records in text order as they come sorted. The records arrive page by page
// and the groups take the pages in that order, so a group's records in text
// order are written as they come: they need no rank order and no sort of
// their own. The records in text order as a whole are not written.
Flow split_by_group(Context& ctx, const NextPages& nexts, ExternalSorter& numbered, PageGrouping& grouping,
                    bool first_written) {
  std::unique_ptr<GroupLists> lists;
  std::size_t current = 0;  // the group whose lists are open; 0 before the first
  auto open_up_to = [&](std::size_t k) {
    while (current < k) {
      if (lists && lists->finish() == Flow::kEnd) return Flow::kEnd;
      lists.reset();
      ++current;
      lists = std::make_unique<GroupLists>(ctx, nexts, current, first_written && current == 1);
    }
    return Flow::kGoOn;
  };
  std::string page;
  std::size_t group = 0;
  std::vector<std::string_view> r;
  Flow flow = Flow::kGoOn;
  const Flow sorted = numbered.finish([&](std::string_view keyed_line) {
    if (flow == Flow::kEnd) return;
    const std::uint64_t entry = read_ordinal(keyed_line.substr(0, kOrdinalWidth));
    const std::string_view line = keyed_line.substr(std::min(kOrdinalWidth, keyed_line.size()));
    split_record(line, occurrence::kFieldCount, r);
    if (!contains_nocase(r[occurrence::kPage], "page_") || !contains(r[occurrence::kId], "id")) return;
    if (group == 0 || r[occurrence::kPage] != page) {
      page = r[occurrence::kPage];
      grouping.add(page);
      group = group_of(grouping, page);
    }
    flow = open_up_to(group);
    if (flow == Flow::kGoOn) lists->add(line, r, entry == 0 ? NextPages::kNoEntry : static_cast<std::size_t>(entry - 1));
  });
  if (sorted == Flow::kEnd || flow == Flow::kEnd) return Flow::kEnd;
  // Without records the group files still start from an (empty) first page.
  if (grouping.groups().empty()) grouping.add("");
  // The later groups, the empty last one of an even page count included.
  if (open_up_to(grouping.groups().size()) == Flow::kEnd) return Flow::kEnd;
  return lists->finish();
}

// The wrd_24 folder keeps a copy of the group files after the run.
void copy_to_folder(Context& ctx) {
  reset_folder(ctx.console, ctx.state.writes, {.folder = "wrd_24", .listing = "dir_01.txt", .files = "*.txt"});
  run_command(ctx.console, ctx.state.writes, "copy wrd_24*.txt wrd_24\\ > out_null.list");
  // Copying them back would only write the work folder's files again with
  // the bytes they hold.
}

}  // namespace

void PageGrouping::add(std::string_view page) {
  if (groups_.empty()) {
    groups_.push_back({std::string(page)});
    pages_.emplace_back(page);
    seen_.emplace(page);
    current_ = page;
    count_ = 1;
    return;
  }
  if (page == current_ || seen_.count(std::string(page)) != 0) return;
  current_ = page;
  groups_.back().emplace_back(page);
  pages_.emplace_back(page);
  seen_.emplace(page);
  if (++count_ == 2) {
    count_ = 0;
    groups_.emplace_back();
  }
}

std::size_t NextPages::add(std::string_view id, std::string_view page, std::uint64_t n) {
  std::uint64_t number = 0;
  if (!id_number(id, number)) return kNoEntry;
  if (page_names_.empty() || page != page_names_[last_page_]) {
    auto [it, added] = page_index_.emplace(std::string(page), static_cast<std::uint32_t>(page_names_.size()));
    if (added) page_names_.emplace_back(page);
    last_page_ = it->second;
  }
  if (entries_.empty() || entries_.back().id != number || entries_.back().page != last_page_) {
    entries_.push_back({number, 0, last_page_});
  }
  // A pair's occurrences come numbered upwards.
  entries_.back().last_n = n;
  return entries_.size() - 1;
}

std::string_view NextPages::next(std::size_t entry) const {
  if (entry + 1 >= entries_.size()) return {};
  const Entry& here = entries_[entry];
  const Entry& after = entries_[entry + 1];
  if (after.id != here.id) return {};
  std::string_view next = page_names_[after.page];
  return next > page_names_[here.page] ? next : std::string_view();
}

Flow build_word_lists(Context& ctx) {
  Console& console = ctx.console;
  WriteFailures& writes = ctx.state.writes;
  // The words came sorted by their keys from the extraction.
  progress(console, 10);
  progress(console, 20);

  NextPages nexts;
  clear_sort_pieces(ctx);
  // The words' ordinals lead the records as their sort keys: text order.
  ExternalSorter numbered(ctx, "wrd_04.txt", "wrd_05.txt", {}, kOrdinalWidth);
  const bool one_group = all_in_first_group();
  std::unique_ptr<WordOrderList> words;
  if (one_group) words = std::make_unique<WordOrderList>(ctx, "wrd_14_1.txt");
  if (number_occurrences(ctx, nexts, numbered, words.get()) == Flow::kEnd) return Flow::kEnd;
  words.reset();
  PageGrouping grouping;
  if (split_by_group(ctx, nexts, numbered, grouping, one_group) == Flow::kEnd) return Flow::kEnd;
  progress(console, 30);

  write_groups(grouping, writes);
  if (external_sort(ctx, "group_page_all.txt", "group_page_all_sort.txt") == Flow::kEnd) return Flow::kEnd;
  progress(console, 40);

  ctx.state.group_count = static_cast<int>(grouping.groups().size());
  progress(console, 50);
  copy_to_folder(ctx);
  return Flow::kGoOn;
}

}  // namespace textpair
