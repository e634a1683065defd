#include "indexing/occurrences_in_text_order.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/lines.h"
#include "common/records.h"
#include "common/word_records.h"

namespace textpair {

namespace occurrence = occurrence_record;

Flow split_sorted(Console& console, ExternalSorter& numbered, GroupSplit& split) {
  std::vector<std::string_view> r;
  Flow flow = Flow::kGoOn;
  const SortOutcome sorted = numbered.finish([&](std::string_view keyed_line) {
    if (flow == Flow::kEnd) return;
    const std::uint64_t entry = read_ordinal(keyed_line.substr(0, kOrdinalWidth));
    const std::string_view line = keyed_line.substr(std::min(kOrdinalWidth, keyed_line.size()));
    split_record(line, occurrence::kFieldCount, r);
    if (!contains_nocase(r[occurrence::kPage], "page_") || !contains(r[occurrence::kId], "id")) return;
    flow = split.add(r[occurrence::kPage], line, r[occurrence::kId], read_number_field(r[occurrence::kN]),
                     entry == 0 ? NextPages::kNoEntry : static_cast<std::size_t>(entry - 1));
  });
  return numbered.settle(console, sorted) == Flow::kEnd ? Flow::kEnd : flow;
}

Flow split_placed(const std::string& text_places, const NextPages& nexts, const TextOrderSlots& slots,
                  GroupSplit& split, IoFailures& failures) {
  LineReader text(text_places, failures);
  std::string_view line;
  std::vector<std::string_view> r;
  std::string record;
  // The records' entries lie all over the next-page list: the one a few
  // records ahead is fetched while this one is written.
  constexpr std::size_t kAhead = 8;
  for (std::size_t ordinal = 0; text.next(line); ++ordinal) {
    if (const TextOrderSlots::Slot* ahead = slots.at(ordinal + kAhead); ahead != nullptr && ahead->entry != 0) {
      nexts.prefetch(ahead->entry - 1);
    }
    const TextOrderSlots::Slot* slot = slots.at(ordinal);
    if (slot == nullptr) continue;
    split_record(line, text_place_record::kPage + 1, r);
    // The place, then the id and the number: an occurrence record.
    record.assign(line);
    record += ",\"";
    const std::size_t id_at = record.size();
    append_word_id(record, slot->id);
    const std::size_t id_size = record.size() - id_at;
    record += "\",\"";
    append_number_field(record, slot->n);
    record += '"';
    const std::string_view id = std::string_view(record).substr(id_at, id_size);
    if (split.add(r[text_place_record::kPage], record, id, slot->n,
                  slot->entry == 0 ? NextPages::kNoEntry : std::size_t{slot->entry} - 1) == Flow::kEnd) {
      return Flow::kEnd;
    }
  }
  return Flow::kGoOn;
}

}  // namespace textpair
