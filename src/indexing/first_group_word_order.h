// Group 1's list in word order (wrd_14_1.txt, through WordPageRuns),
// written while the words are numbered, for a run whose records all fall
// in group 1.
#ifndef TEXTPAIR_INDEXING_FIRST_GROUP_WORD_ORDER_H_
#define TEXTPAIR_INDEXING_FIRST_GROUP_WORD_ORDER_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/external_sort.h"
#include "common/io_failures.h"
#include "common/run_state.h"
#include "indexing/word_page_runs.h"

namespace textpair {

class Console;

// The records of a word come together, in key order; the list wants them in
// text order, so each word's records are held and put in order by their
// ordinals before they are written. A word whose records outgrow the hold
// goes through a sort of its own.
class FirstGroupWordOrder {
 public:
  FirstGroupWordOrder(Console& console, IoFailures& failures, const std::string& name);
  // One occurrence of the word being taken: its ordinal (text order), id,
  // page, word and number.
  void add(std::uint64_t ordinal, std::string_view id, std::string_view page, std::string_view word,
           std::string_view n);
  // The word's records are all taken: writes them in text order.
  Flow end_word();
  // Ends the last word and closes the list.
  Flow finish();

 private:
  static constexpr std::size_t kHoldBytes = std::size_t{8} << 20;
  struct Held {
    std::uint64_t key;  // the ordinal
    std::size_t offset, size;
  };
  void spill();
  void write(std::string_view held);
  Console& console_;
  IoFailures& failures_;
  std::string name_;
  WordPageRuns out_;
  std::string line_, bytes_;
  std::vector<std::string_view> fields_;
  std::vector<Held> held_;
  bool in_order_ = true;
  std::unique_ptr<ExternalSorter> spill_;
};

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_FIRST_GROUP_WORD_ORDER_H_
