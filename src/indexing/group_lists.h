// The lists of each page group: its occurrences in text order with the next
// page that holds each word (wrd_24_K), a flag for each of them that the
// same word follows later on the same page (wrd_25_K), and its occurrences
// in word order (wrd_14_K).
#ifndef TEXTPAIR_INDEXING_GROUP_LISTS_H_
#define TEXTPAIR_INDEXING_GROUP_LISTS_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/external_sort.h"
#include "common/flag_file.h"
#include "common/io_failures.h"
#include "common/records.h"
#include "common/run_state.h"
#include "indexing/next_pages.h"
#include "indexing/page_groups.h"
#include "indexing/word_page_runs.h"

namespace textpair {

class Console;

// The lists of one group K, written as its records come in text order; the
// word-order list is sorted by id and text order unless it was written
// already (FirstGroupWordOrder).
class GroupLists {
 public:
  GroupLists(Console& console, IoFailures& failures, const NextPages& nexts, std::size_t k, bool word_order_written);
  // Takes one record in text order: the occurrence_record line as it was
  // formatted (without its line end), its id and number, and its entry in
  // `nexts` (kNoEntry for none).
  void add(std::string_view line, std::string_view id, std::uint64_t n, std::size_t entry);
  // Closes the text-order list and its flags and writes the word-order list.
  Flow finish();

 private:
  Console& console_;
  IoFailures& failures_;
  const NextPages& nexts_;
  bool word_order_written_;
  RecordWriter text_;
  FlagWriter later_;
  std::string word_order_list_;
  ExternalSorter words_;
  std::string text_record_, key_;
  std::uint64_t added_ = 0;
};

// The page groups and every group's lists, in one pass over the records in
// text order. The records arrive page by page and the groups take the pages
// in that order, so a group's records in text order are written as they
// come: they need no sort of their own.
class GroupSplit {
 public:
  // With `first_written`, group 1's word-order list was written already.
  GroupSplit(Console& console, IoFailures& failures, const NextPages& nexts, PageGrouping& grouping, bool first_written)
      : console_(console), failures_(failures), nexts_(nexts), grouping_(grouping), first_written_(first_written) {}
  // One record in text order: its page, its occurrence_record line (without
  // its line end), id and number, and its entry in `nexts`.
  Flow add(std::string_view page, std::string_view line, std::string_view id, std::uint64_t n, std::size_t entry);
  // Opens the groups no record reached and closes the last one.
  Flow finish();

 private:
  Flow open_up_to(std::size_t k);
  Console& console_;
  IoFailures& failures_;
  const NextPages& nexts_;
  PageGrouping& grouping_;
  bool first_written_;
  std::unique_ptr<GroupLists> lists_;
  std::size_t current_ = 0;  // the group whose lists are open; 0 before the first
  std::string page_;
  std::size_t group_ = 0;
};

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_GROUP_LISTS_H_
