// Word ids and occurrence numbers: one pass over the keyed words in key
// order gives every distinct word (compared in lower case) its id, the place
// of its first record, and numbers each word's occurrences.
#ifndef TEXTPAIR_INDEXING_OCCURRENCE_NUMBERS_H_
#define TEXTPAIR_INDEXING_OCCURRENCE_NUMBERS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/external_sort.h"
#include "common/io_failures.h"
#include "common/lines.h"
#include "common/run_state.h"
#include "common/word_records.h"
#include "indexing/first_group_word_order.h"
#include "indexing/next_pages.h"
#include "indexing/word_extraction.h"

namespace textpair {

class Console;

// Where the words of a window of ordinals stand in text order: for each
// ordinal its id, its number and its entry in NextPages, so that the words
// read in text order need not be sorted back. A run that is not too large
// is one window from ordinal 0.
class TextOrderSlots {
 public:
  static constexpr std::size_t kMostWords = 2'000'000;  // 12 bytes each
  struct Slot {
    std::uint32_t id = kNone;  // the id's number; kNone for a word left out
    std::uint32_t n = 0;
    std::uint32_t entry = 0;  // one more than the NextPages entry, 0 for none
  };
  static constexpr std::uint32_t kNone = static_cast<std::uint32_t>(-1);

  // Slots for the ordinals from `base` on, `words` of them.
  explicit TextOrderSlots(std::size_t words, std::uint64_t base = 0) : slots_(words), base_(base) {}
  // Empties the slots for the window that starts at `base`.
  void reset(std::uint64_t base);
  // A record whose ordinal is outside the window has no place.
  // The records come in key order, so their slots lie all over: each is
  // written a few records later, its place fetched meanwhile.
  void set(std::uint64_t ordinal, std::uint64_t id, std::uint64_t n, std::size_t entry);
  // Writes the slots still pending; the slots are read after it.
  void flush();
  // How many words were given a slot.
  std::size_t placed() const { return placed_; }
  std::uint64_t base() const { return base_; }
  std::uint64_t end() const { return base_ + slots_.size(); }
  const Slot* at(std::uint64_t ordinal) const {
    if (ordinal < base_ || ordinal >= end()) return nullptr;
    const Slot& slot = slots_[static_cast<std::size_t>(ordinal - base_)];
    return slot.id != kNone ? &slot : nullptr;
  }

 private:
  static constexpr std::size_t kPending = 16;
  static constexpr std::size_t kNoSlot = static_cast<std::size_t>(-1);
  struct Pending {
    std::size_t slot = kNoSlot;
    Slot value;
  };
  std::vector<Slot> slots_;
  std::uint64_t base_;
  std::array<Pending, kPending> pending_;
  std::size_t next_ = 0;
  std::size_t placed_ = 0;
};

// A numbered line of a window: the occurrence's ordinal, counted from the
// window's first, then its entry in NextPages (one more, 0 for none), its
// id's number and its number, each in digits of six bits from '0', the
// highest first: kNumberedLineBytes in all.
inline constexpr std::size_t kWindowOrdinalWidth = 4;  // windows of up to 2^24 words
inline constexpr std::size_t kNumberWidth = 5;         // numbers below 2^30
inline constexpr std::uint64_t kNumberedLimit = std::uint64_t{1} << (6 * kNumberWidth);
inline constexpr std::size_t kNumberedLineBytes = kWindowOrdinalWidth + 3 * kNumberWidth;
struct NumberedLine {
  std::uint64_t ordinal, id, n;
  std::size_t entry;  // NextPages::kNoEntry for none
};
// Into `out`, in place of what it held, for the window that starts at
// `base`; the ordinal lies in the window, the numbers below kNumberedLimit.
void append_numbered_line(std::string& out, const NumberedLine& line, std::uint64_t base);
// False for a line of another length.
bool read_numbered_line(std::string_view text, std::uint64_t base, NumberedLine& line);

// For a run too large for a slot per word: the numbered lines of each
// window of `window_words` ordinals go to a scratch file of their own,
// wrd_05_1.txt, wrd_05_2.txt, ..., in the order they come. Each window is
// read back into slots later and joined with its words' places: no sort.
class NumberedWindows {
 public:
  NumberedWindows(IoFailures& failures, std::size_t window_words) : failures_(failures), words_(window_words) {}
  // A run whose ids or numbers reach kNumberedLimit, some billion words, is
  // past what the windows hold: noted as a failed write.
  void add(const NumberedLine& line);
  // Closes the windows' files.
  void close();
  std::size_t window_words() const { return words_; }
  // The windows made: one for each window up to the last that took a line.
  std::size_t count() const { return files_.size(); }
  static std::string name(std::size_t window) { return "wrd_05_" + std::to_string(window + 1) + ".txt"; }

 private:
  IoFailures& failures_;
  std::size_t words_;
  std::vector<std::unique_ptr<LineWriter>> files_;
  std::string line_;
};

// Where the numbered occurrences go; any may be missing.
struct NumberedOccurrences {
  // Each occurrence on a page file as a numbered line, into its window.
  NumberedWindows* windows = nullptr;
  // Or only its id, number and entry, noted at its ordinal.
  TextOrderSlots* slots = nullptr;
  // Group 1's word-order list, when every record falls in group 1.
  FirstGroupWordOrder* first_group = nullptr;
};

// Reads the keyed words in key order from the pieces `keyed`; every
// occurrence goes into `nexts`, and those on page files to `out`. Ends the
// run as the merge of the pieces or the word-order list does.
Flow number_occurrences(Console& console, IoFailures& failures, const SortScratch& keyed, NextPages& nexts,
                        const NumberedOccurrences& out);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_OCCURRENCE_NUMBERS_H_
