#include "indexing/occurrence_numbers.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "common/bytes.h"
#include "common/cpu.h"
#include "common/records.h"
#include "common/word_records.h"

namespace textpair {

void TextOrderSlots::reset(std::uint64_t base) {
  std::fill(slots_.begin(), slots_.end(), Slot{});
  for (Pending& p : pending_) p.slot = kNoSlot;
  base_ = base;
  placed_ = 0;
}

void TextOrderSlots::set(std::uint64_t ordinal, std::uint64_t id, std::uint64_t n, std::size_t entry) {
  if (ordinal < base_ || ordinal >= end()) return;
  const std::size_t slot = static_cast<std::size_t>(ordinal - base_);
  ++placed_;
  cpu::fetch_soon(&slots_[slot]);
  Pending& p = pending_[next_++ % kPending];
  if (p.slot != kNoSlot) slots_[p.slot] = p.value;
  p = {slot,
       {static_cast<std::uint32_t>(id), static_cast<std::uint32_t>(n),
        entry == NextPages::kNoEntry ? 0 : static_cast<std::uint32_t>(entry + 1)}};
}

void TextOrderSlots::flush() {
  for (Pending& p : pending_) {
    if (p.slot != kNoSlot) slots_[p.slot] = p.value;
    p.slot = kNoSlot;
  }
}

void NumberedWindows::add(const NumberedLine& line) {
  const std::size_t window = static_cast<std::size_t>(line.ordinal / words_);
  while (files_.size() <= window) {
    files_.push_back(std::make_unique<LineWriter>());
    files_.back()->create(name(files_.size() - 1));
  }
  if (line.id >= kNumberedLimit || line.n >= kNumberedLimit ||
      (line.entry != NextPages::kNoEntry && line.entry + 1 >= kNumberedLimit)) {
    failures_.note(IoResult::failed(name(window), "the text has more words than can be numbered"));
    return;
  }
  append_numbered_line(line_, line, std::uint64_t{window} * words_);
  files_[window]->line(line_);
}

void NumberedWindows::close() {
  for (auto& file : files_) failures_.note(file->close());
}

namespace {

void append_digits(std::string& out, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) out += static_cast<char>('0' + ((value >> (6 * (width - 1 - i))) & 63));
}

std::uint64_t read_digits(std::string_view digits) {
  std::uint64_t value = 0;
  for (char c : digits) value = (value << 6) | (static_cast<unsigned char>(c - '0') & 63u);
  return value;
}

}  // namespace

void append_numbered_line(std::string& out, const NumberedLine& line, std::uint64_t base) {
  out.clear();
  append_digits(out, line.ordinal - base, kWindowOrdinalWidth);
  append_digits(out, line.entry == NextPages::kNoEntry ? 0 : line.entry + 1, kNumberWidth);
  append_digits(out, line.id, kNumberWidth);
  append_digits(out, line.n, kNumberWidth);
}

bool read_numbered_line(std::string_view text, std::uint64_t base, NumberedLine& line) {
  if (text.size() != kNumberedLineBytes) return false;
  line.ordinal = base + read_digits(text.substr(0, kWindowOrdinalWidth));
  text.remove_prefix(kWindowOrdinalWidth);
  const std::uint64_t entry = read_digits(text.substr(0, kNumberWidth));
  line.entry = entry == 0 ? NextPages::kNoEntry : static_cast<std::size_t>(entry - 1);
  line.id = read_digits(text.substr(kNumberWidth, kNumberWidth));
  line.n = read_digits(text.substr(2 * kNumberWidth, kNumberWidth));
  return true;
}

Flow number_occurrences(Console& console, IoFailures& failures, const SortScratch& keyed, NextPages& nexts,
                        const NumberedOccurrences& out) {
  std::uint64_t count = 0;
  std::uint64_t n = 0;
  std::uint64_t id_number = 0;
  std::string id_key, id, number;
  bool first = true;
  KeyedRecord in;
  Flow flow = Flow::kGoOn;
  const auto number_one = [&](std::string_view keyed_line) {
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
    if (out.windows != nullptr) out.windows->add({.ordinal = in.ordinal, .id = id_number, .n = n, .entry = entry});
    if (out.first_group == nullptr) return;
    number.clear();
    append_number_field(number, n);
    out.first_group->add(in.ordinal, id, in.page, in.word, number);
  };
  // The pieces are merged beside the numbering.
  const SortOutcome merged = merge_pieces(keyed, 0, failures, number_one, true);
  if (settle_merge(console, merged) == Flow::kEnd || flow == Flow::kEnd) return Flow::kEnd;
  return out.first_group != nullptr ? out.first_group->finish() : Flow::kGoOn;
}

}  // namespace textpair
