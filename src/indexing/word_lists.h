// The chain of word lists: ids, occurrence numbers, page groups and the per-group lists.
//
// From the keyed words in key order (the pieces wrd_01_02_N.txt) the phase
// gives every distinct word (compared in lower case) an id, numbers each
// word's occurrences, puts them back into text order (joined with the words
// in text order, wrd_01_03.txt, or sorted), groups the page files two
// by two and splits the occurrences by group: in text order with the next
// page holding the word (wrd_24_K, also copied into the wrd_24 folder) and
// in word order (wrd_14_K), with a flag for each record that the same word
// follows later on the same page (wrd_25_K). It sets the group count.
#ifndef TEXTPAIR_INDEXING_WORD_LISTS_H_
#define TEXTPAIR_INDEXING_WORD_LISTS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/run_state.h"

namespace textpair {

// The page groups: pages are taken in the order of their first record, two
// to a group. After every second page a new group is opened, so an even
// number of pages leaves an empty last group.
class PageGrouping {
 public:
  void add(std::string_view page);
  // At least one group once a page was added.
  const std::vector<std::vector<std::string>>& groups() const { return groups_; }
  const std::vector<std::string>& pages() const { return pages_; }

 private:
  std::vector<std::vector<std::string>> groups_;
  std::vector<std::string> pages_;
  std::unordered_set<std::string> seen_;
  std::string current_;
  int count_ = 0;
};

// For each word id, the pages holding the word, in word-list order (ids
// rising, pages in name order within an id), with the number of the word's
// last occurrence on each. Memory grows with the distinct (word, page)
// pairs, not with the occurrences.
class NextPages {
 public:
  static constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);
  // Adds an occurrence numbered `n` of the pair, in word-list order; returns
  // the pair's entry, kNoEntry for an id that is not one.
  std::size_t add(std::string_view id, std::string_view page, std::uint64_t n = 0);
  // The same for the id's number.
  std::size_t add(std::uint64_t id_number, std::string_view page, std::uint64_t n);
  // The page that follows the entry's page among the pages of its id, when
  // it sorts after it; empty when there is none.
  std::string_view next(std::size_t entry) const;
  // Asks the processor to fetch what next() and last_number() read.
  void prefetch(std::size_t entry) const;
  // The number of the last occurrence of the entry's word on its page.
  std::uint64_t last_number(std::size_t entry) const { return entries_[entry].last_n; }

 private:
  struct Entry {
    std::uint64_t id;
    std::uint64_t last_n;
    std::uint32_t page;
  };
  std::vector<Entry> entries_;
  std::vector<std::string> page_names_;
  std::unordered_map<std::string, std::uint32_t> page_index_;
  std::uint32_t last_page_ = 0;
};

// The phase; ends the run when one of its sorts fails.
Flow build_word_lists(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_WORD_LISTS_H_
