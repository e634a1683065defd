#include "site/all_words_index.h"

#include <gtest/gtest.h>

#include <string>
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

struct Occurrence {
  int group;
  std::vector<std::string> record;  // a run of the group's list (word_page_run_record)
};

// A run of `count` occurrences of a word on one page, led by its n-th.
Occurrence occ(const std::string& id, int group, const std::string& word, int n, int count = 1) {
  using namespace word_page_run_record;
  std::vector<std::string> r(kFieldCount);
  std::tie(r[kId], r[kPage], r[kWord], r[kN], r[kCount]) =
      std::tuple(id, "page_01.htm", word, std::to_string(n), std::to_string(count));
  return {group, r};
}

// Writes each group's list wrd_14_K.txt (K up to `groups`) from the
// occurrences in order, and sets the run's group count.
void write_group_lists(const std::vector<Occurrence>& rows, int groups, RunState& state) {
  for (int k = 1; k <= groups; ++k) {
    std::vector<std::vector<std::string>> list;
    for (const Occurrence& o : rows) {
      if (o.group == k) list.push_back(o.record);
    }
    write_file("wrd_14_" + std::to_string(k) + ".txt", records(list));
  }
  state.group_count = groups;
}

TEST(AllWordsIndexEntry, CountsEachWordPerGroupAndWritesProgress) {
  struct Case {
    const char* name;
    std::vector<Occurrence> rows;  // each group's in word order
    int groups;
    std::vector<std::string> want;  // the lines after "<br><br>" that follows the search hint
    const char* progress;
  } cases[] = {
      {"one word, one group",
       {occ("id00000000", 1, "Apple", 1)},
       1,
       {"Apple", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000000\" id=\"id00000000\">(i_1)</a>"},
       "processed 60%\nprocessed 70%\n"},
      {"two groups, then another word",
       {occ("id00000000", 1, "Apple", 1, 2), occ("id00000000", 1, "APPLE", 3), occ("id00000000", 2, "apple", 4),
        occ("id00000004", 12, "pear", 1)},
       12,
       {"Apple", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000000\" id=\"id00000000\">(i_1,&nbsp;&nbsp;3)</a>",
        "&nbsp;&nbsp;<a href=\"i_2.htm#id00000000\" id=\"id00000000\">(i_2,&nbsp;&nbsp;1)</a>", "<br>", "pear",
        "&nbsp;&nbsp;<a href=\"i_12.htm#id00000004\" id=\"id00000004\">(i_12)</a>"},
       "processed 60%\nprocessed 70%\nprocessed 80%\n"},
      {"two words, total of two",
       {occ("id00000000", 1, "one", 1), occ("id00000001", 1, "two", 1)},
       1,
       {"one", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000000\" id=\"id00000000\">(i_1,&nbsp;&nbsp;1)</a>", "<br>", "two",
        "&nbsp;&nbsp;<a href=\"i_1.htm#id00000001\" id=\"id00000001\">(i_1)</a>"},
       "processed 60%\nprocessed 70%\n"},
      {"groups merged by id, a word's groups in order",
       {occ("id00000000", 1, "a", 1), occ("id00000000", 1, "a", 2), occ("id00000002", 1, "c", 1),
        occ("id00000000", 2, "A", 3), occ("id00000001", 2, "b", 1)},
       2,
       {"a", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000000\" id=\"id00000000\">(i_1,&nbsp;&nbsp;2)</a>",
        "&nbsp;&nbsp;<a href=\"i_2.htm#id00000000\" id=\"id00000000\">(i_2,&nbsp;&nbsp;1)</a>", "<br>", "b",
        "&nbsp;&nbsp;<a href=\"i_2.htm#id00000001\" id=\"id00000001\">(i_2,&nbsp;&nbsp;1)</a>", "<br>", "c",
        "&nbsp;&nbsp;<a href=\"i_1.htm#id00000002\" id=\"id00000002\">(i_1)</a>"},
       "processed 60%\nprocessed 70%\nprocessed 80%\n"},
      {"no occurrences",
       {},
       1,
       {"", "&nbsp;&nbsp;<a href=\"i_.htm#\" id=\"\">(i_)</a>"},
       "processed 60%\nprocessed 70%\n"},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    testing::PipedConsole console;
    RunState state;
    Context ctx{console.console(), state};
    write_group_lists(c.rows, c.groups, state);
    ASSERT_EQ(write_all_words_index(ctx), Flow::kGoOn);
    long long occurrences = 0;
    for (const Occurrence& o : c.rows) occurrences += std::stoll(o.record[word_page_run_record::kCount]);
    EXPECT_EQ(state.word_total, occurrences) << c.name;
    EXPECT_EQ(console.output(), c.progress) << c.name;
    EXPECT_FALSE(testing::file_exists("wrd_16.txt")) << c.name;
    // The page is the word-order lists' last reader: they are gone after it.
    for (int k = 1; k <= c.groups; ++k) EXPECT_FALSE(testing::file_exists("wrd_14_" + std::to_string(k) + ".txt"));
    const auto lines = split_crlf(read_file("index.htm"));
    ASSERT_GE(lines.size(), 28u);
    EXPECT_EQ(lines[6], "<title>index of key words</title>");
    EXPECT_EQ(
        std::vector<std::string>(lines.begin() + 25, lines.begin() + 28),
        (std::vector<std::string>{"<br><br>", "Use a combination of two keys (CTRL + F) to search.", "<br><br>"}));
    std::vector<std::string> want = c.want;
    want.push_back("</body>");
    want.push_back("</html>");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 28, lines.end()), want) << c.name;
  }
}

}  // namespace
}  // namespace textpair
