#include "indexing/first_group_word_order.h"

#include <algorithm>

#include "common/records.h"
#include "common/word_records.h"

namespace textpair {

FirstGroupWordOrder::FirstGroupWordOrder(Console& console, IoFailures& failures, const std::string& name)
    : console_(console), failures_(failures), name_(name) {
  out_.create(name);
}

void FirstGroupWordOrder::add(std::uint64_t ordinal, std::string_view id, std::string_view page, std::string_view word,
                              std::string_view n) {
  if (!held_.empty() && held_.back().key > ordinal) in_order_ = false;
  held_.push_back({ordinal, bytes_.size(), 0});
  // Held as a record of its own: "id","page","word","n".
  line_.clear();
  for (std::string_view field : {id, page, word, n}) append_field(line_, field);
  bytes_ += line_;
  held_.back().size = bytes_.size() - held_.back().offset;
  if (bytes_.size() > kHoldBytes) spill();
}

void FirstGroupWordOrder::write(std::string_view held) {
  split_record(held, 4, fields_);
  out_.add(fields_[0], fields_[1], fields_[2], fields_[3]);
}

Flow FirstGroupWordOrder::end_word() {
  Flow flow = Flow::kGoOn;
  if (spill_) {
    spill();
    flow = spill_->settle(console_, spill_->finish([&](std::string_view line) { write(line); }));
    spill_.reset();
  } else {
    // Usually they came in order; else they are put in order.
    if (!in_order_) {
      std::sort(held_.begin(), held_.end(), [](const Held& a, const Held& b) { return a.key < b.key; });
    }
    const std::string_view bytes(bytes_);
    for (const Held& h : held_) write(bytes.substr(h.offset, h.size));
  }
  held_.clear();
  bytes_.clear();
  in_order_ = true;
  return flow;
}

Flow FirstGroupWordOrder::finish() {
  const Flow flow = end_word();
  failures_.note(out_.close());
  return flow;
}

// Moves the held records into the word's own sort, led by their ordinals.
void FirstGroupWordOrder::spill() {
  if (!spill_) {
    spill_ = std::make_unique<ExternalSorter>("wrd_13_1.txt", name_, failures_,
                                              ExternalSortLimits{.piece_bytes = kHoldBytes}, kOrdinalWidth,
                                              SortScratch{"file_w_", "sort_words.txt"});
  }
  const std::string_view bytes(bytes_);
  for (const Held& h : held_) {
    line_.clear();
    append_ordinal(line_, h.key);
    line_.append(bytes.substr(h.offset, h.size));
    spill_->add(line_);
  }
  held_.clear();
  bytes_.clear();
}

}  // namespace textpair
