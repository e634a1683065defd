#include "indexing/page_groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace textpair {
namespace {

TEST(PageGrouping, TakesPagesTwoByTwo) {
  using Groups = std::vector<std::vector<std::string>>;
  struct Case {
    const char* name;
    std::vector<std::string> records;  // the page of each record, in text order
    Groups want;
  } cases[] = {
      {"one page", {"p1", "p1"}, {{"p1"}}},
      {"two pages", {"p1", "p2"}, {{"p1", "p2"}, {}}},
      {"three pages", {"p1", "p1", "p2", "p3", "p3"}, {{"p1", "p2"}, {"p3"}}},
      {"four pages", {"p1", "p2", "p3", "p4"}, {{"p1", "p2"}, {"p3", "p4"}, {}}},
      {"page seen before", {"p1", "p2", "p1", "p3"}, {{"p1", "p2"}, {"p3"}}},
  };
  for (const Case& c : cases) {
    PageGrouping grouping;
    for (const std::string& page : c.records) grouping.add(page);
    EXPECT_EQ(grouping.groups(), c.want) << c.name;
  }
}

// Each page's group is the last one that holds it.
TEST(PageGrouping, GroupOfAPage) {
  PageGrouping grouping;
  for (const char* page : {"p1", "p2", "p3", "p1"}) grouping.add(page);
  EXPECT_EQ(grouping.group_of("p1"), 1u);
  EXPECT_EQ(grouping.group_of("p2"), 1u);
  EXPECT_EQ(grouping.group_of("p3"), 2u);
}

}  // namespace
}  // namespace textpair
