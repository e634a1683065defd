#include "indexing/next_pages.h"

#include "common/cpu.h"
#include "common/word_records.h"

namespace textpair {

std::size_t NextPages::add(std::string_view id, std::string_view page, std::uint64_t n) {
  std::uint64_t number = 0;
  if (!read_word_id(id, number)) return kNoEntry;
  return add(number, page, n);
}

std::size_t NextPages::add(std::uint64_t number, std::string_view page, std::uint64_t n) {
  if (page_names_.empty() || page != page_names_[last_page_]) {
    auto [it, added] = page_index_.emplace(std::string(page), static_cast<std::uint32_t>(page_names_.size()));
    if (added) page_names_.emplace_back(page);
    last_page_ = it->second;
  }
  if (entries_.empty() || entries_.back().id != number || entries_.back().page != last_page_) {
    entries_.push_back({number, 0, last_page_});
  }
  // A pair's occurrences come numbered upwards.
  entries_.back().last_n = n;
  return entries_.size() - 1;
}

void NextPages::prefetch(std::size_t entry) const {
  if (entry + 1 >= entries_.size()) return;
  cpu::fetch_soon(&entries_[entry]);
  cpu::fetch_soon(&entries_[entry + 1]);
}

std::string_view NextPages::next(std::size_t entry) const {
  if (entry + 1 >= entries_.size()) return {};
  const Entry& here = entries_[entry];
  const Entry& after = entries_[entry + 1];
  if (after.id != here.id) return {};
  std::string_view next = page_names_[after.page];
  return next > page_names_[here.page] ? next : std::string_view();
}

}  // namespace textpair
