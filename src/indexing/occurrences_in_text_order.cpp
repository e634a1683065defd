#include "indexing/occurrences_in_text_order.h"

#include <string_view>

#include "common/word_records.h"
#include "indexing/text_places.h"

namespace textpair {

namespace {

// The word's occurrence record: its place, then its id and number.
Flow add_occurrence(const TextPlaceReader& word, std::uint64_t id_number, std::uint64_t n, std::size_t entry,
                    GroupSplit& split, std::string& record) {
  word.place_record(record);
  record += ",\"";
  const std::size_t id_at = record.size();
  append_word_id(record, id_number);
  const std::size_t id_size = record.size() - id_at;
  record += "\",\"";
  append_number_field(record, n);
  record += '"';
  const std::string_view id = std::string_view(record).substr(id_at, id_size);
  return split.add(word.page(), record, id, n, entry);
}

}  // namespace

Flow split_sorted(Console& console, ExternalSorter& numbered, const std::string& text_places, GroupSplit& split,
                  IoFailures& failures) {
  TextPlaceReader word(text_places, failures);
  bool read = false;  // whether `word` stands on a word
  std::string record;
  NumberedLine line{};
  Flow flow = Flow::kGoOn;
  const SortOutcome sorted = numbered.finish([&](std::string_view text) {
    if (flow == Flow::kEnd) return;
    if (!read_numbered_line(text, line)) {
      // Only a piece changed under the sort holds such a line.
      if (!failures.any()) failures.note_read(IoResult::failed("wrd_05.txt", "a numbered line is cut short"));
      flow = Flow::kEnd;
      return;
    }
    while (!read || word.ordinal() < line.ordinal) {
      if (!word.next()) {
        if (!failures.any()) {
          failures.note_read(IoResult::failed(text_places, "it ends before the last numbered word"));
        }
        flow = Flow::kEnd;
        return;
      }
      read = true;
    }
    if (word.ordinal() != line.ordinal) return;  // a second line for one word
    flow = add_occurrence(word, line.id, line.n, line.entry, split, record);
  });
  return numbered.settle(console, sorted) == Flow::kEnd ? Flow::kEnd : flow;
}

Flow split_placed(const std::string& text_places, const NextPages& nexts, const TextOrderSlots& slots,
                  GroupSplit& split, IoFailures& failures) {
  TextPlaceReader word(text_places, failures);
  std::string record;
  // The records' entries lie all over the next-page list: the one a few
  // records ahead is fetched while this one is written.
  constexpr std::size_t kAhead = 8;
  std::size_t joined = 0;
  while (word.next()) {
    const std::size_t ordinal = static_cast<std::size_t>(word.ordinal());
    if (const TextOrderSlots::Slot* ahead = slots.at(ordinal + kAhead); ahead != nullptr && ahead->entry != 0) {
      nexts.prefetch(ahead->entry - 1);
    }
    const TextOrderSlots::Slot* slot = slots.at(ordinal);
    if (slot == nullptr) continue;
    ++joined;
    if (add_occurrence(word, slot->id, slot->n, slot->entry == 0 ? NextPages::kNoEntry : std::size_t{slot->entry} - 1,
                       split, record) == Flow::kEnd) {
      return Flow::kEnd;
    }
  }
  if (joined < slots.placed()) {
    // Numbered words the places do not hold.
    if (!failures.any()) failures.note_read(IoResult::failed(text_places, "it ends before the last numbered word"));
    return Flow::kEnd;
  }
  return Flow::kGoOn;
}

}  // namespace textpair
