#include "site/all_words_index.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/run_state.h"
#include "common/word_records.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::read_file;
using testing::records;
using testing::split_crlf;
using testing::write_file;

std::vector<std::string> occ(const std::string& id, int group, const std::string& word, int n, int line = 1) {
  using namespace grouped_record;
  std::vector<std::string> r(kFieldCount);
  std::tie(r[kId], r[kGroup], r[kPage], r[kLine]) = std::tuple(id, group_field(group), "page_01.htm", line_field(line));
  std::tie(r[kColumn], r[kWord], r[kN]) = std::tuple(column_field(1, 1), word, std::to_string(n));
  return r;
}

TEST(AllWordsIndexEntry, CountsEachWordPerGroupAndWritesProgress) {
  struct Case {
    const char* name;
    std::vector<std::vector<std::string>> rows;  // in sorted order
    std::vector<std::string> want;               // the lines after "<br><br>" that follows the search hint
    const char* progress;
  } cases[] = {
      {"one word, one group",
       {occ("id00000000", 1, "Apple", 1)},
       {"Apple", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000000\" id=\"id00000000\">(i_1)</a>"},
       "processed 60%\nprocessed 70%\n"},
      {"two groups, then another word",
       {occ("id00000000", 1, "Apple", 1, 1), occ("id00000000", 1, "apple", 2, 2), occ("id00000000", 1, "APPLE", 3, 3),
        occ("id00000000", 2, "apple", 4), occ("id00000004", 12, "pear", 1)},
       {"Apple", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000000\" id=\"id00000000\">(i_1,&nbsp;&nbsp;3)</a>",
        "&nbsp;&nbsp;<a href=\"i_2.htm#id00000000\" id=\"id00000000\">(i_2,&nbsp;&nbsp;1)</a>", "<br>", "pear",
        "&nbsp;&nbsp;<a href=\"i_12.htm#id00000004\" id=\"id00000004\">(i_12)</a>"},
       "processed 60%\nprocessed 70%\nprocessed 80%\n"},
      {"two words, total of two",
       {occ("id00000000", 1, "one", 1), occ("id00000001", 1, "two", 1)},
       {"one", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000000\" id=\"id00000000\">(i_1,&nbsp;&nbsp;1)</a>", "<br>", "two",
        "&nbsp;&nbsp;<a href=\"i_1.htm#id00000001\" id=\"id00000001\">(i_1)</a>"},
       "processed 60%\nprocessed 70%\n"},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    testing::PipedConsole console;
    RunState state;
    Context ctx{console.console(), state};
    // Already in order: the sort of wrd_15.txt makes wrd_16.txt.
    write_file("wrd_15.txt", records(c.rows));
    ASSERT_EQ(write_all_words_index(ctx), Flow::kGoOn);
    EXPECT_EQ(state.word_total, static_cast<long long>(c.rows.size())) << c.name;
    EXPECT_EQ(console.output(), c.progress) << c.name;
    EXPECT_EQ(read_file("wrd_16.txt"), records(c.rows)) << c.name;
    const auto lines = split_crlf(read_file("index.htm"));
    ASSERT_GE(lines.size(), 28u);
    EXPECT_EQ(lines[6], "<title>index of key words</title>");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 25, lines.begin() + 28),
              (std::vector<std::string>{"<br><br>", "Use a combination of two keys (CTRL + F) to search.", "<br><br>"}));
    std::vector<std::string> want = c.want;
    want.push_back("</body>");
    want.push_back("</html>");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 28, lines.end()), want) << c.name;
  }
}

}  // namespace
}  // namespace textpair
