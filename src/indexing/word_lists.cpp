#include "indexing/word_lists.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <memory>

#include "commands/run_command.h"
#include "steps/folders.h"
#include "steps/sort_file.h"
#include "common/external_sort.h"
#include "common/bytes.h"
#include "common/cpu.h"
#include "common/flag_file.h"
#include "common/lines.h"
#include "common/records.h"
#include "common/word_records.h"
#include "prompts/prompts.h"
#include "indexing/word_extraction.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

namespace keyed = keyed_record;
namespace occurrence = occurrence_record;


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
      flow = spill_->settle(ctx_.console, spill_->finish([&](std::string_view line) { out_.line(line); }));
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
    ctx_.state.failures.note(out_.close());
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
      spill_ = std::make_unique<ExternalSorter>("wrd_13_1.txt", "wrd_14_1.txt", ctx_.state.failures,
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

// Where the words of a run that is not too large stand in text order: for
// each ordinal its id, its number and its entry in NextPages, so that the
// records read in text order (kTextOrderWords) need not be sorted back.
class TextOrderSlots {
 public:
  static constexpr std::size_t kMostWords = 2'000'000;  // 12 bytes each
  struct Slot {
    std::uint32_t id = kNone;  // the id's number; kNone for a word left out
    std::uint32_t n = 0;
    std::uint32_t entry = 0;  // one more than the NextPages entry, 0 for none
  };
  static constexpr std::uint32_t kNone = static_cast<std::uint32_t>(-1);

  explicit TextOrderSlots(std::size_t words) : slots_(words) {}
  // A record whose ordinal is past the words read in text order has no place.
  // The records come in key order, so their slots lie all over: each is
  // written a few records later, its place fetched meanwhile.
  void set(std::uint64_t ordinal, std::uint64_t id, std::uint64_t n, std::size_t entry) {
    if (ordinal >= slots_.size()) return;
    cpu::fetch_soon(&slots_[ordinal]);
    Pending& p = pending_[next_++ % kPending];
    if (p.ordinal < slots_.size()) slots_[p.ordinal] = p.slot;
    p = {ordinal, {static_cast<std::uint32_t>(id), static_cast<std::uint32_t>(n),
                   entry == NextPages::kNoEntry ? 0 : static_cast<std::uint32_t>(entry + 1)}};
  }
  // Writes the slots still pending; the slots are read after it.
  void flush() {
    for (Pending& p : pending_) {
      if (p.ordinal < slots_.size()) slots_[p.ordinal] = p.slot;
      p.ordinal = kNoOrdinal;
    }
  }
  const Slot* at(std::size_t ordinal) const {
    return ordinal < slots_.size() && slots_[ordinal].id != kNone ? &slots_[ordinal] : nullptr;
  }

 private:
  static constexpr std::size_t kPending = 16;
  static constexpr std::uint64_t kNoOrdinal = static_cast<std::uint64_t>(-1);
  struct Pending {
    std::uint64_t ordinal = kNoOrdinal;
    Slot slot;
  };
  std::vector<Slot> slots_;
  std::array<Pending, kPending> pending_;
  std::size_t next_ = 0;
};

// Word ids and occurrence numbers in one pass over the key-sorted records.
// Each record is handed to `numbered` to be sorted back into text order, led
// by its entry in `nexts`, or, with `slots`, only its id, number and entry
// are noted at its ordinal. A word's id is the place of its first record.
// With `words`, the records also go to group 1's word-order list.
Flow number_occurrences(Context& ctx, NextPages& nexts, ExternalSorter* numbered, TextOrderSlots* slots,
                        WordOrderList* words) {
  std::uint64_t count = 0;
  std::uint64_t n = 0;
  std::uint64_t id_number = 0;
  std::string id_key, id, record, line;
  char digits[24];
  bool first = true;
  RecordFields<occurrence::kFieldCount> occ;
  std::vector<std::string_view> in;
  Flow flow = Flow::kGoOn;
  const SortOutcome merged = merge_pieces(kKeyedPieces, 0, ctx.state.failures, [&](std::string_view keyed_line) {
    if (flow == Flow::kEnd) return;
    split_record(keyed_line, keyed::kFieldCount, in);
    if (first || in[keyed::kKey] != id_key) {
      if (words != nullptr && !first) flow = words->end_word();
      id_key = in[keyed::kKey];
      id_number = count;
      id = word_id(count);
      n = 0;
    }
    first = false;
    ++count;
    ++n;
    const std::string_view page = in[keyed::kPage];
    const std::size_t entry = nexts.add(id_number, page, n);
    if (!contains(page, "page_")) return;
    if (slots != nullptr) slots->set(read_ordinal(in[keyed::kOrdinal]), id_number, n, entry);
    if (numbered == nullptr && words == nullptr) return;
    const std::string_view number(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
    take(occ, in, {{occurrence::kPage, keyed::kPage}, {occurrence::kLine, keyed::kLine},
                   {occurrence::kColumn, keyed::kColumn}, {occurrence::kWord, keyed::kWord}});
    occ[occurrence::kId] = id;
    occ[occurrence::kN] = number;
    format_record(occ, record);
    if (numbered != nullptr) {
      // The ordinal sorts; the next-page entry (one more, 0 for none) rides along.
      line.assign(in[keyed::kOrdinal]);
      append_ordinal(line, entry == NextPages::kNoEntry ? 0 : entry + 1);
      line.append(record, 0, record.size() - 2);  // without CR LF
      numbered->add(line);
    }
    if (words != nullptr) words->add(in[keyed::kOrdinal], id, record);
  });
  if (settle_merge(ctx.console, merged) == Flow::kEnd || flow == Flow::kEnd) return Flow::kEnd;
  return words != nullptr ? words->finish() : Flow::kGoOn;
}

// The most keyed records the extraction's pieces can hold: a keyed record
// takes at least 48 bytes in its piece (a key and a word of three bytes or
// more, a page name with ".htm", the padded line and column, the ordinal,
// the quotes, commas and line end).
std::uint64_t most_keyed_records() { return pieces_bytes(kKeyedPieces) / 48; }

// In a normal run a single page file holds every word. With at most two
// page files group 1 takes every record, and its word-order list can be
// written as the records are numbered: key order is then id order, as long
// as every id has its eight digits (fewer than 10^8 records).
bool all_in_first_group(std::uint64_t most_records, IoFailures& failures) {
  constexpr std::uint64_t kEightDigitIds = 100'000'000;
  // Without the list the general way is taken, which gives the same lists;
  // a list that is there must be read whole.
  LineReader names;
  if (!names.open("dir_02.txt")) return false;
  names.report_to(failures);
  std::string name;
  int pages = 0;
  while (names.next(name)) {
    if (lower_ascii(name).find(".htm") != std::string::npos) ++pages;
  }
  return pages <= 2 && most_records < kEightDigitIds;
}

void write_groups(const PageGrouping& grouping, IoFailures& failures) {
  LineWriter all;
  all.create("group_page_all.txt");
  for (const std::string& page : grouping.pages()) all.line(page);
  failures.note(all.close());
  const auto& groups = grouping.groups();
  for (std::size_t k = 0; k < groups.size(); ++k) {
    RecordWriter out;
    out.create("group_search_" + std::to_string(k + 1) + ".txt");
    RecordFields<group_page_record::kFieldCount> r;
    for (const std::string& page : groups[k]) {
      r[group_page_record::kPage] = page;
      out.write(r);
    }
    failures.note(out.close());
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
        words_("wrd_13_" + std::to_string(k) + ".txt", "wrd_14_" + std::to_string(k) + ".txt", ctx.state.failures,
               {}, kIdKeyWidth + kOrdinalWidth, {"file_w_", "sort_words.txt"}) {
    text_.create("wrd_24_" + std::to_string(k) + ".txt");
    later_.create("wrd_25_" + std::to_string(k) + ".txt");
  }
  // Takes one record in text order: the occurrence_record line as it was
  // formatted (without its line end), its id and number, and its entry in
  // `nexts` (kNoEntry for none).
  void add(std::string_view line, std::string_view id, std::uint64_t n, std::size_t entry) {
    text_record_.assign(line);
    append_field(text_record_, entry == NextPages::kNoEntry ? std::string_view() : nexts_.next(entry));
    text_.write_built(text_record_);
    // A pair's occurrences are numbered upwards: all but its last have a later one.
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
    ctx_.state.failures.note(text_.close());
    ctx_.state.failures.note(later_.close());
    return word_order_written_ ? Flow::kGoOn : words_.settle(ctx_.console, words_.finish());
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

// Page groups and the group lists, in one pass over the records in text
// order. The records arrive page by page and the groups take the pages in
// that order, so a group's records in text order are written as they come:
// they need no rank order and no sort of their own. The records in text
// order as a whole are not written.
class GroupSplit {
 public:
  GroupSplit(Context& ctx, const NextPages& nexts, PageGrouping& grouping, bool first_written)
      : ctx_(ctx), nexts_(nexts), grouping_(grouping), first_written_(first_written) {}
  // One record in text order: its page, its occurrence_record line (without
  // its line end), id and number, and its entry in `nexts`.
  Flow add(std::string_view page, std::string_view line, std::string_view id, std::uint64_t n, std::size_t entry) {
    if (group_ == 0 || page != page_) {
      page_ = page;
      grouping_.add(page);
      group_ = group_of(grouping_, page);
    }
    if (open_up_to(group_) == Flow::kEnd) return Flow::kEnd;
    lists_->add(line, id, n, entry);
    return Flow::kGoOn;
  }
  Flow finish() {
    // Without records the group files still start from an (empty) first page.
    if (grouping_.groups().empty()) grouping_.add("");
    // The later groups, the empty last one of an even page count included.
    if (open_up_to(grouping_.groups().size()) == Flow::kEnd) return Flow::kEnd;
    return lists_->finish();
  }

 private:
  Flow open_up_to(std::size_t k) {
    while (current_ < k) {
      if (lists_ && lists_->finish() == Flow::kEnd) return Flow::kEnd;
      lists_.reset();
      ++current_;
      lists_ = std::make_unique<GroupLists>(ctx_, nexts_, current_, first_written_ && current_ == 1);
    }
    return Flow::kGoOn;
  }
  Context& ctx_;
  const NextPages& nexts_;
  PageGrouping& grouping_;
  bool first_written_;
  std::unique_ptr<GroupLists> lists_;
  std::size_t current_ = 0;  // the group whose lists are open; 0 before the first
  std::string page_;
  std::size_t group_ = 0;
};

// The numbered records as they come sorted back into text order.
Flow split_sorted(Console& console, ExternalSorter& numbered, GroupSplit& split) {
  std::vector<std::string_view> r;
  Flow flow = Flow::kGoOn;
  const SortOutcome sorted = numbered.finish([&](std::string_view keyed_line) {
    if (flow == Flow::kEnd) return;
    const std::uint64_t entry = read_ordinal(keyed_line.substr(0, kOrdinalWidth));
    const std::string_view line = keyed_line.substr(std::min(kOrdinalWidth, keyed_line.size()));
    split_record(line, occurrence::kFieldCount, r);
    if (!contains_nocase(r[occurrence::kPage], "page_") || !contains(r[occurrence::kId], "id")) return;
    std::uint64_t n = 0;
    const std::string_view number = r[occurrence::kN];
    std::from_chars(number.data(), number.data() + number.size(), n);
    flow = split.add(r[occurrence::kPage], line, r[occurrence::kId], n,
                     entry == 0 ? NextPages::kNoEntry : static_cast<std::size_t>(entry - 1));
  });
  return numbered.settle(console, sorted) == Flow::kEnd ? Flow::kEnd : flow;
}

// The words read in text order, each given the id, number and entry noted
// at its ordinal; words without them were left out.
Flow split_placed(const NextPages& nexts, const TextOrderSlots& slots, GroupSplit& split, IoFailures& failures) {
  static_assert(occurrence::kPage == 0 && occurrence::kWord == 3 && occurrence::kId == 4 && occurrence::kN == 5,
                "an occurrence record is a word's place, its id and its number");
  LineReader text(kTextOrderWords, failures);
  std::string_view line;
  std::vector<std::string_view> r;
  std::string record;
  char digits[24];
  // The records' entries lie all over the next-page list: the one a few
  // records ahead is fetched while this one is written.
  constexpr std::size_t kAhead = 8;
  for (std::size_t ordinal = 0; text.next(line); ++ordinal) {
    if (const TextOrderSlots::Slot* ahead = slots.at(ordinal + kAhead); ahead != nullptr && ahead->entry != 0) {
      nexts.prefetch(ahead->entry - 1);
    }
    const TextOrderSlots::Slot* slot = slots.at(ordinal);
    if (slot == nullptr) continue;
    split_record(line, occurrence::kPage + 1, r);
    const std::size_t size = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, slot->n).ptr - digits);
    // The place, then "id","n".
    record.assign(line);
    record += ",\"";
    const std::size_t id_at = record.size();
    append_word_id(record, slot->id);
    const std::size_t id_size = record.size() - id_at;
    record += "\",\"";
    record.append(digits, size);
    record += '"';
    const std::string_view id = std::string_view(record).substr(id_at, id_size);
    if (split.add(r[occurrence::kPage], record, id, slot->n,
                  slot->entry == 0 ? NextPages::kNoEntry : std::size_t{slot->entry} - 1) == Flow::kEnd) {
      return Flow::kEnd;
    }
  }
  return Flow::kGoOn;
}

// The wrd_24 folder keeps a copy of the group files after the run.
void copy_to_folder(Context& ctx) {
  reset_folder(ctx.console, ctx.state.failures, {.folder = "wrd_24", .listing = "dir_01.txt", .files = "*.txt"});
  run_command(ctx.console, ctx.state.failures, "copy wrd_24*.txt wrd_24\\ > out_null.list");
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
  return add(number, page, n);
}

std::size_t NextPages::add(std::uint64_t number, std::string_view page, std::uint64_t n) {
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

void NextPages::prefetch(std::size_t entry) const {
  if (entry + 1 >= entries_.size()) return;
  cpu::fetch_soon(&entries_[entry]);
  cpu::fetch_soon(&entries_[entry + 1]);
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
  IoFailures& failures = ctx.state.failures;
  // The words came sorted by their keys from the extraction.
  progress(console, 10);
  progress(console, 20);

  NextPages nexts;
  clear_sort_pieces(console, failures);
  // The words' ordinals lead the records as their sort keys: text order.
  ExternalSorter numbered("wrd_04.txt", "wrd_05.txt", failures, {}, kOrdinalWidth);
  const std::uint64_t most_records = most_keyed_records();
  const bool one_group = all_in_first_group(most_records, ctx.state.failures);
  std::unique_ptr<WordOrderList> words;
  if (one_group) words = std::make_unique<WordOrderList>(ctx, "wrd_14_1.txt");
  // The words in text order, as the extraction left them, are given their
  // ids and numbers in place when the run is small enough to hold them (a
  // slot for each record the pieces can hold; every ordinal is below that);
  // otherwise the numbered records are sorted back into text order.
  std::unique_ptr<TextOrderSlots> slots;
  if (most_records <= TextOrderSlots::kMostWords && path_exists(native_path(kTextOrderWords))) {
    slots = std::make_unique<TextOrderSlots>(static_cast<std::size_t>(most_records));
  }
  if (number_occurrences(ctx, nexts, slots ? nullptr : &numbered, slots.get(), words.get()) == Flow::kEnd) {
    return Flow::kEnd;
  }
  words.reset();
  if (slots) slots->flush();
  PageGrouping grouping;
  GroupSplit split(ctx, nexts, grouping, one_group);
  if ((slots ? split_placed(nexts, *slots, split, ctx.state.failures) : split_sorted(console, numbered, split)) == Flow::kEnd) return Flow::kEnd;
  slots.reset();
  if (split.finish() == Flow::kEnd) return Flow::kEnd;
  progress(console, 30);

  write_groups(grouping, failures);
  if (sort_file(console, failures, "group_page_all.txt", "group_page_all_sort.txt") == Flow::kEnd) return Flow::kEnd;
  progress(console, 40);

  ctx.state.group_count = static_cast<int>(grouping.groups().size());
  progress(console, 50);
  copy_to_folder(ctx);
  return Flow::kGoOn;
}

}  // namespace textpair
