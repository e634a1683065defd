#include "indexing/occurrence_numbers.h"

#include <string>
#include <string_view>

#include "common/bytes.h"
#include "common/cpu.h"
#include "common/records.h"
#include "common/word_records.h"

namespace textpair {

void TextOrderSlots::set(std::uint64_t ordinal, std::uint64_t id, std::uint64_t n, std::size_t entry) {
  if (ordinal >= slots_.size()) return;
  ++placed_;
  cpu::fetch_soon(&slots_[ordinal]);
  Pending& p = pending_[next_++ % kPending];
  if (p.ordinal < slots_.size()) slots_[p.ordinal] = p.slot;
  p = {ordinal,
       {static_cast<std::uint32_t>(id), static_cast<std::uint32_t>(n),
        entry == NextPages::kNoEntry ? 0 : static_cast<std::uint32_t>(entry + 1)}};
}

void TextOrderSlots::flush() {
  for (Pending& p : pending_) {
    if (p.ordinal < slots_.size()) slots_[p.ordinal] = p.slot;
    p.ordinal = kNoOrdinal;
  }
}

void append_numbered_line(std::string& out, const NumberedLine& line) {
  out.clear();
  append_ordinal(out, line.ordinal);
  append_ordinal(out, line.entry == NextPages::kNoEntry ? 0 : line.entry + 1);
  append_ordinal(out, line.id);
  append_ordinal(out, line.n);
}

bool read_numbered_line(std::string_view text, NumberedLine& line) {
  if (text.size() != kNumberedLineBytes) return false;
  line.ordinal = read_ordinal(text.substr(0, kOrdinalWidth));
  const std::uint64_t entry = read_ordinal(text.substr(kOrdinalWidth, kOrdinalWidth));
  line.entry = entry == 0 ? NextPages::kNoEntry : static_cast<std::size_t>(entry - 1);
  line.id = read_ordinal(text.substr(2 * kOrdinalWidth, kOrdinalWidth));
  line.n = read_ordinal(text.substr(3 * kOrdinalWidth, kOrdinalWidth));
  return true;
}

Flow number_occurrences(Console& console, IoFailures& failures, const SortScratch& keyed, NextPages& nexts,
                        const NumberedOccurrences& out) {
  std::uint64_t count = 0;
  std::uint64_t n = 0;
  std::uint64_t id_number = 0;
  std::string id_key, id, line, number;
  bool first = true;
  KeyedRecord in;
  Flow flow = Flow::kGoOn;
  const SortOutcome merged = merge_pieces(keyed, 0, failures, [&](std::string_view keyed_line) {
    if (flow == Flow::kEnd) return;
    if (!read_keyed_record(keyed_line, in)) {
      // Only a piece changed under the merge holds such a line.
      if (!failures.any()) failures.note_read(IoResult::failed(keyed.merged, "a word's record is cut short"));
      flow = Flow::kEnd;
      return;
    }
    if (first || in.key != id_key) {
      if (out.first_group != nullptr && !first) flow = out.first_group->end_word();
      id_key = in.key;
      id_number = count;
      id = word_id(count);
      n = 0;
    }
    first = false;
    ++count;
    ++n;
    const std::size_t entry = nexts.add(id_number, in.page, n);
    if (!contains(in.page, "page_")) return;
    if (out.slots != nullptr) out.slots->set(in.ordinal, id_number, n, entry);
    if (out.numbered != nullptr) {
      // The ordinal sorts; the rest rides along.
      append_numbered_line(line, {.ordinal = in.ordinal, .id = id_number, .n = n, .entry = entry});
      out.numbered->add(line);
    }
    if (out.first_group == nullptr) return;
    number.clear();
    append_number_field(number, n);
    out.first_group->add(in.ordinal, id, in.page, in.word, number);
  });
  if (settle_merge(console, merged) == Flow::kEnd || flow == Flow::kEnd) return Flow::kEnd;
  return out.first_group != nullptr ? out.first_group->finish() : Flow::kGoOn;
}

}  // namespace textpair
