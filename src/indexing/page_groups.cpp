#include "indexing/page_groups.h"

#include <algorithm>

#include "common/lines.h"
#include "common/records.h"
#include "common/word_records.h"

namespace textpair {

void PageGrouping::add(std::string_view page) {
  if (groups_.empty()) {
    groups_.push_back({std::string(page)});
    pages_.emplace_back(page);
    seen_.emplace(page);
    current_ = page;
    count_ = 1;
    return;
  }
  if (page == current_ || seen_.count(std::string(page)) != 0) return;
  current_ = page;
  groups_.back().emplace_back(page);
  pages_.emplace_back(page);
  seen_.emplace(page);
  if (++count_ == 2) {
    count_ = 0;
    groups_.emplace_back();
  }
}

std::size_t PageGrouping::group_of(std::string_view page) const {
  for (std::size_t g = groups_.size(); g > 0; --g) {
    if (std::find(groups_[g - 1].begin(), groups_[g - 1].end(), page) != groups_[g - 1].end()) return g;
  }
  return groups_.size();
}

void write_page_groups(const PageGrouping& grouping, const std::string& all_pages, const std::string& group_pages,
                       IoFailures& failures) {
  LineWriter all;
  all.create(all_pages);
  for (const std::string& page : grouping.pages()) all.line(page);
  failures.note(all.close());
  const auto& groups = grouping.groups();
  for (std::size_t k = 0; k < groups.size(); ++k) {
    RecordWriter out;
    out.create(group_pages + std::to_string(k + 1) + ".txt");
    RecordFields<group_page_record::kFieldCount> r;
    for (const std::string& page : groups[k]) {
      r[group_page_record::kPage] = page;
      out.write(r);
    }
    failures.note(out.close());
  }
}

}  // namespace textpair
