#include "indexing/word_page_runs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::read_file;

// A word-order record: id, page, line, column, word, id again, number.
std::string occurrence(const std::string& id, const std::string& page, const std::string& word, int n) {
  return "\"" + id + "\",\"" + page + "\",\"         1\",\"     " + std::to_string(n) + "\",\"" + word + "\",\"" + id +
         "\",\"" + std::to_string(n) + "\"";
}

TEST(WordPageRuns, OneRecordForEachRunOfAWordOnAPage) {
  struct Case {
    const char* name;
    std::vector<std::string> occurrences;
    std::vector<std::string> want;
  } cases[] = {
      {"no occurrences", {}, {}},
      {"a run takes its first occurrence's word and number",
       {occurrence("id00000001", "page_01.htm", "The", 1), occurrence("id00000001", "page_01.htm", "the", 2),
        occurrence("id00000001", "page_01.htm", "THE", 3)},
       {R"("id00000001","page_01.htm","The","1","3")"}},
      {"a new page or a new id starts a run",
       {occurrence("id00000001", "page_01.htm", "a", 1), occurrence("id00000001", "page_02.htm", "a", 2),
        occurrence("id00000002", "page_02.htm", "b", 1), occurrence("id00000002", "page_02.htm", "b", 2)},
       {R"("id00000001","page_01.htm","a","1","1")", R"("id00000001","page_02.htm","a","2","1")",
        R"("id00000002","page_02.htm","b","1","2")"}},
      {"a word with a comma keeps it",
       {occurrence("id00000004", "page_01.htm", "x,y", 7)},
       {R"("id00000004","page_01.htm","x,y","7","1")"}},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    WordPageRuns runs;
    ASSERT_TRUE(runs.create("wrd_14_1.txt"));
    for (const std::string& o : c.occurrences) runs.add_record(o);
    EXPECT_TRUE(runs.close().ok()) << c.name;
    EXPECT_EQ(read_file("wrd_14_1.txt"), crlf(c.want)) << c.name;
  }
}

}  // namespace
}  // namespace textpair
