#include "indexing/group_lists.h"

#include "common/word_records.h"

namespace textpair {

GroupLists::GroupLists(Console& console, IoFailures& failures, const NextPages& nexts, std::size_t k,
                       bool word_order_written)
    : console_(console),
      failures_(failures),
      nexts_(nexts),
      word_order_written_(word_order_written),
      word_order_list_("wrd_14_" + std::to_string(k) + ".txt"),
      words_("wrd_13_" + std::to_string(k) + ".txt", "wrd_14_" + std::to_string(k) + ".txt", failures, {},
             kIdKeyWidth + kOrdinalWidth, {"file_w_", "sort_words.txt"}) {
  text_.create(next_page_list(k));
  later_.create("wrd_25_" + std::to_string(k) + ".txt");
}

void GroupLists::add(std::string_view line, std::string_view id, std::uint64_t n, std::size_t entry) {
  text_record_.assign(line);
  append_field(text_record_, entry == NextPages::kNoEntry ? std::string_view() : nexts_.next(entry));
  text_.write_built(text_record_);
  // A pair's occurrences are numbered upwards: all but its last have a later one.
  later_.add(entry != NextPages::kNoEntry && n < nexts_.last_number(entry));
  if (word_order_written_) return;
  // Sorted by id, then in text order, in which the records come.
  key_.clear();
  append_id_key(key_, id);
  append_ordinal(key_, added_++);
  append_word_order_record(key_, id, line);
  words_.add(key_);
}

Flow GroupLists::finish() {
  failures_.note(text_.close());
  failures_.note(later_.close());
  if (word_order_written_) return Flow::kGoOn;
  WordPageRuns runs;
  runs.create(word_order_list_);
  const SortOutcome sorted = words_.finish([&](std::string_view line) { runs.add_record(line); });
  failures_.note(runs.close());
  return words_.settle(console_, sorted);
}

Flow GroupSplit::add(std::string_view page, std::string_view line, std::string_view id, std::uint64_t n,
                     std::size_t entry) {
  if (group_ == 0 || page != page_) {
    page_ = page;
    grouping_.add(page);
    group_ = grouping_.group_of(page);
  }
  if (open_up_to(group_) == Flow::kEnd) return Flow::kEnd;
  lists_->add(line, id, n, entry);
  return Flow::kGoOn;
}

Flow GroupSplit::finish() {
  // Without records the group files still start from an (empty) first page.
  if (grouping_.groups().empty()) grouping_.add("");
  // The later groups, the empty last one of an even page count included.
  if (open_up_to(grouping_.groups().size()) == Flow::kEnd) return Flow::kEnd;
  return lists_->finish();
}

Flow GroupSplit::open_up_to(std::size_t k) {
  while (current_ < k) {
    if (lists_ && lists_->finish() == Flow::kEnd) return Flow::kEnd;
    lists_.reset();
    ++current_;
    lists_ = std::make_unique<GroupLists>(console_, failures_, nexts_, current_, first_written_ && current_ == 1);
  }
  return Flow::kGoOn;
}

}  // namespace textpair
