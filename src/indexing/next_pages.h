// For each word id, the pages that hold the word: what the text-order lists
// give as each occurrence's next page, and the last occurrence of a word on
// a page.
#ifndef TEXTPAIR_INDEXING_NEXT_PAGES_H_
#define TEXTPAIR_INDEXING_NEXT_PAGES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace textpair {

// The pages of each word id in word-list order (ids rising, pages in name
// order within an id), with the number of the word's last occurrence on
// each. Memory grows with the distinct (word, page) pairs, not with the
// occurrences.
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

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_NEXT_PAGES_H_
