#include "indexing/occurrences_in_text_order.h"

#include <string_view>

#include "common/lines.h"
#include "common/scratch_file.h"
#include "common/word_records.h"
#include "indexing/text_places.h"

namespace textpair {

namespace {

// The words in text order, joined window by window.
class PlacesJoin {
 public:
  PlacesJoin(const std::string& text_places, const NextPages& nexts, GroupSplit& split, IoFailures& failures)
      : name_(text_places), nexts_(nexts), split_(split), failures_(failures), word_(text_places, failures) {
    have_word_ = word_.next();
  }
  // Joins the words whose ordinals the slots' window holds; those before it
  // were left out.
  Flow window(const TextOrderSlots& slots) {
    numbered_ += slots.placed();
    // The records' entries lie all over the next-page list: the one a few
    // records ahead is fetched while this one is written.
    constexpr std::uint64_t kAhead = 8;
    for (; have_word_ && word_.ordinal() < slots.end(); have_word_ = word_.next()) {
      const std::uint64_t ordinal = word_.ordinal();
      if (const TextOrderSlots::Slot* ahead = slots.at(ordinal + kAhead); ahead != nullptr && ahead->entry != 0) {
        nexts_.prefetch(ahead->entry - 1);
      }
      const TextOrderSlots::Slot* slot = slots.at(ordinal);
      if (slot == nullptr) continue;
      ++joined_;
      const std::size_t entry = slot->entry == 0 ? NextPages::kNoEntry : std::size_t{slot->entry} - 1;
      if (add(slot->id, slot->n, entry) == Flow::kEnd) return Flow::kEnd;
    }
    return Flow::kGoOn;
  }
  // Ends the run when the places held fewer words than were numbered.
  Flow finish() {
    if (joined_ == numbered_) return Flow::kGoOn;
    if (!failures_.any()) failures_.note_read(IoResult::failed(name_, "it ends before the last numbered word"));
    return Flow::kEnd;
  }

 private:
  // The word's occurrence record: its place, then its id and number.
  Flow add(std::uint64_t id_number, std::uint64_t n, std::size_t entry) {
    word_.place_record(record_);
    record_ += ",\"";
    const std::size_t id_at = record_.size();
    append_word_id(record_, id_number);
    const std::size_t id_size = record_.size() - id_at;
    record_ += "\",\"";
    append_number_field(record_, n);
    record_ += '"';
    const std::string_view id = std::string_view(record_).substr(id_at, id_size);
    return split_.add(word_.page(), record_, id, n, entry);
  }
  std::string name_;
  const NextPages& nexts_;
  GroupSplit& split_;
  IoFailures& failures_;
  TextPlaceReader word_;
  bool have_word_ = false;
  std::uint64_t numbered_ = 0, joined_ = 0;
  std::string record_;
};

}  // namespace

Flow split_placed(const std::string& text_places, const NextPages& nexts, const TextOrderSlots& slots,
                  GroupSplit& split, IoFailures& failures) {
  PlacesJoin join(text_places, nexts, split, failures);
  if (join.window(slots) == Flow::kEnd) return Flow::kEnd;
  return join.finish();
}

Flow split_windowed(const std::string& text_places, const NextPages& nexts, const NumberedWindows& windows,
                    GroupSplit& split, IoFailures& failures) {
  PlacesJoin join(text_places, nexts, split, failures);
  TextOrderSlots slots(windows.window_words());
  NumberedLine line{};
  for (std::size_t w = 0; w < windows.count(); ++w) {
    slots.reset(std::uint64_t{w} * windows.window_words());
    const std::string name = NumberedWindows::name(w);
    LineReader in(name, failures);
    std::string_view text;
    while (in.next(text)) {
      // Only a file changed under the run holds a line of another form.
      if (!read_numbered_line(text, slots.base(), line) || line.ordinal >= slots.end()) {
        if (!failures.any()) failures.note_read(IoResult::failed(name, "a numbered line is out of its place"));
        return Flow::kEnd;
      }
      slots.set(line.ordinal, line.id, line.n, line.entry);
    }
    in.close();
    if (failures.any()) return Flow::kEnd;
    slots.flush();
    if (join.window(slots) == Flow::kEnd) return Flow::kEnd;
    drop_work_file(name);
  }
  return join.finish();
}

}  // namespace textpair
