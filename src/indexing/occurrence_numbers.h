// Word ids and occurrence numbers: one pass over the keyed words in key
// order gives every distinct word (compared in lower case) its id, the place
// of its first record, and numbers each word's occurrences.
#ifndef TEXTPAIR_INDEXING_OCCURRENCE_NUMBERS_H_
#define TEXTPAIR_INDEXING_OCCURRENCE_NUMBERS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/external_sort.h"
#include "common/io_failures.h"
#include "common/run_state.h"
#include "common/word_records.h"
#include "indexing/first_group_word_order.h"
#include "indexing/next_pages.h"
#include "indexing/word_extraction.h"

namespace textpair {

class Console;

// Where the words of a run that is not too large stand in text order: for
// each ordinal its id, its number and its entry in NextPages, so that the
// words read in text order need not be sorted back.
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
  void set(std::uint64_t ordinal, std::uint64_t id, std::uint64_t n, std::size_t entry);
  // Writes the slots still pending; the slots are read after it.
  void flush();
  // How many words were given a slot.
  std::size_t placed() const { return placed_; }
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
  std::size_t placed_ = 0;
};

// Where the numbered occurrences go; any may be missing.
struct NumberedOccurrences {
  // Each occurrence on a page file as a numbered line, to be sorted back
  // into text order.
  ExternalSorter* numbered = nullptr;
  // Or only its id, number and entry, noted at its ordinal.
  TextOrderSlots* slots = nullptr;
  // Group 1's word-order list, when every record falls in group 1.
  FirstGroupWordOrder* first_group = nullptr;
};

// A numbered line: the occurrence's ordinal (text order, the sort key),
// then its entry in NextPages (one more, 0 for none), its id's number and
// its number, each as an ordinal (append_ordinal): a fixed width of
// kNumberedLineBytes.
inline constexpr std::size_t kNumberedLineBytes = 4 * kOrdinalWidth;
struct NumberedLine {
  std::uint64_t ordinal, id, n;
  std::size_t entry;  // NextPages::kNoEntry for none
};
// Into `out`, in place of what it held.
void append_numbered_line(std::string& out, const NumberedLine& line);
// False for a line of another length.
bool read_numbered_line(std::string_view text, NumberedLine& line);

// Reads the keyed words in key order from the pieces `keyed`; every
// occurrence goes into `nexts`, and those on page files to `out`. Ends the
// run as the merge of the pieces or the word-order list does.
Flow number_occurrences(Console& console, IoFailures& failures, const SortScratch& keyed, NextPages& nexts,
                        const NumberedOccurrences& out);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_OCCURRENCE_NUMBERS_H_
