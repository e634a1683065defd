#include "indexing/next_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace textpair {
namespace {

TEST(NextPages, FollowsTheWordsOwnPages) {
  NextPages nexts;
  struct Case {
    const char* id;
    const char* page;
    const char* next;  // of the pair's entry
  } cases[] = {
      {"id00000000", "page_01.htm", "page_02.htm"},
      {"id00000000", "page_01.htm", "page_02.htm"},  // the same pair again
      {"id00000000", "page_02.htm", "page_04.htm"},  // page_03 lacks the word
      {"id00000000", "page_04.htm", ""},             // the word's last page
      {"id00000004", "page_02.htm", ""},
      {"id00000005", "page_01.htm", "page_03.htm"},
      {"id00000005", "page_03.htm", ""},
  };
  std::vector<std::size_t> entries;
  for (const Case& c : cases) entries.push_back(nexts.add(c.id, c.page));
  EXPECT_EQ(entries, (std::vector<std::size_t>{0, 0, 1, 2, 3, 4, 5}));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(nexts.next(entries[i]), cases[i].next) << cases[i].id << " " << cases[i].page;
  }
  EXPECT_EQ(nexts.add("page_01.htm", "page_01.htm"), NextPages::kNoEntry);
}

}  // namespace
}  // namespace textpair
