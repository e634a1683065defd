// The page groups: the page files taken two by two in the order of their
// first word, and the lists that name them.
#ifndef TEXTPAIR_INDEXING_PAGE_GROUPS_H_
#define TEXTPAIR_INDEXING_PAGE_GROUPS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/io_failures.h"

namespace textpair {

// Pages are taken in the order of their first record, two to a group.
// After every second page a new group is opened, so an even number of pages
// leaves an empty last group.
class PageGrouping {
 public:
  void add(std::string_view page);
  // At least one group once a page was added.
  const std::vector<std::vector<std::string>>& groups() const { return groups_; }
  const std::vector<std::string>& pages() const { return pages_; }
  // The number (from 1) of the group that holds `page`, which was added last.
  std::size_t group_of(std::string_view page) const;

 private:
  std::vector<std::vector<std::string>> groups_;
  std::vector<std::string> pages_;
  std::unordered_set<std::string> seen_;
  std::string current_;
  int count_ = 0;
};

// Writes every page, one a line, into `all_pages` and the pages of each
// group K into `group_pages` + K + ".txt" (group_page_record).
void write_page_groups(const PageGrouping& grouping, const std::string& all_pages, const std::string& group_pages,
                       IoFailures& failures);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_PAGE_GROUPS_H_
