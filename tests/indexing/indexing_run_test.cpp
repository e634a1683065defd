// The indexing phases together on crafted page files, with the work
// folder's commands carried out, against expected files written by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "indexing/word_extraction.h"
#include "indexing/word_list_chain.h"
#include "test_util/piped_console.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::file_exists;
using testing::read_file;
using testing::write_file;

class IndexingRun : public testing::WorkFolderTest {};

TEST_F(IndexingRun, CraftedPagesGiveTheHandWrittenLists) {
  write_file("page_01.htm",
             crlf({"<HTML>", "<title>", "compare.htm", "</title>", "<script>", "var hidden = 1;", "</script>", "<td>",
                   " <br>The cat saw the \"dog\".", " <br>a <b>Cat</b> and&nbsp;me", "</td>", "</html>"}));
  write_file("page_02.htm", crlf({" <br>Dog days of the end"}));
  write_file("old.txt", "from an earlier run\r\n");
  testing::PipedConsole console;
  RunState state;
  Context ctx{console, state};
  ASSERT_EQ(extract_words(ctx), Flow::kGoOn);
  EXPECT_FALSE(file_exists("old.txt"));
  EXPECT_EQ(read_file("dir_02.txt"), crlf({"page_01.htm", "page_02.htm"}));
  // The words led by their keys, sorted (key, page, line in six-bit digits
  // from '0', word, ordinal); the one with an entity is left out.
  EXPECT_EQ(read_file("wrd_01_02_1.txt"), crlf({
                                              R"(cat"page_01.htm"000009cat"00000002)",
                                              R"(cat"page_01.htm"00000:Cat"00000006)",
                                              R"(compare.htm"page_01.htm"000003compare.htm"00000000)",
                                              R"(days"page_02.htm"000001days"00000008)",
                                              R"(dog"page_02.htm"000001Dog"00000007)",
                                              R"(dog'."page_01.htm"000009dog'."00000005)",
                                              R"(end"page_02.htm"000001end"0000000:)",
                                              R"(saw"page_01.htm"000009saw"00000003)",
                                              R"(the"page_01.htm"000009The"00000001)",
                                              R"(the"page_01.htm"000009the"00000004)",
                                              R"(the"page_02.htm"000001the"00000009)",
                                          }));
  // Beside them, the words' places in text order.
  // The same words in text order, their places kept short: a line for each
  // new page and each new line, then the column and the word.
  EXPECT_EQ(read_file("wrd_01_03.txt"), crlf({
                                            "Ppage_01.htm",
                                            "L         3",
                                            "     1|compare.htm",
                                            "L         9",
                                            "     6|The",
                                            "    10|cat",
                                            "    14|saw",
                                            "    18|the",
                                            "    23|dog'.",
                                            "L        10",
                                            "    11|Cat",
                                            "Ppage_02.htm",
                                            "L         1",
                                            "     6|Dog",
                                            "    10|days",
                                            "    18|the",
                                            "    22|end",
                                        }));
  // The word lists read them, and delete them once they are done.
  ASSERT_EQ(build_word_lists(ctx), Flow::kGoOn);

  EXPECT_FALSE(file_exists("wrd_01_02_1.txt"));
  EXPECT_FALSE(file_exists("wrd_01_03.txt"));
  // No trace of the scan is written.
  EXPECT_FALSE(file_exists("page_01.txt"));

  EXPECT_EQ(state.group_count, 2);
  EXPECT_EQ(read_file("group_page_all_sort.txt"), crlf({"page_01.htm", "page_02.htm"}));
  const std::string group1 = crlf({
      R"("page_01.htm","         3","     1","compare.htm","id00000002","1","")",
      R"("page_01.htm","         9","     6","The","id00000008","1","page_02.htm")",
      R"("page_01.htm","         9","    10","cat","id00000000","1","")",
      R"("page_01.htm","         9","    14","saw","id00000007","1","")",
      R"("page_01.htm","         9","    18","the","id00000008","2","page_02.htm")",
      R"("page_01.htm","         9","    23","dog'.","id00000005","1","")",
      R"("page_01.htm","        10","    11","Cat","id00000000","2","")",
      R"("page_02.htm","         1","     6","Dog","id00000004","1","")",
      R"("page_02.htm","         1","    10","days","id00000003","1","")",
      R"("page_02.htm","         1","    18","the","id00000008","3","")",
      R"("page_02.htm","         1","    22","end","id00000006","1","")",
  });
  // The group lists are moved into wrd_24, where the later steps read them.
  EXPECT_FALSE(file_exists("wrd_24_1.txt"));
  EXPECT_FALSE(file_exists("wrd_24_2.txt"));
  EXPECT_EQ(read_file("wrd_24/wrd_24_1.txt"), group1);
  EXPECT_EQ(testing::list_names("wrd_24"), (std::vector<std::string>{"wrd_24_1.txt", "wrd_24_2.txt"}));
  EXPECT_EQ(read_file("wrd_14_1.txt"), crlf({
                                           R"("id00000000","page_01.htm","cat","1","2")",
                                           R"("id00000002","page_01.htm","compare.htm","1","1")",
                                           R"("id00000003","page_02.htm","days","1","1")",
                                           R"("id00000004","page_02.htm","Dog","1","1")",
                                           R"("id00000005","page_01.htm","dog'.","1","1")",
                                           R"("id00000006","page_02.htm","end","1","1")",
                                           R"("id00000007","page_01.htm","saw","1","1")",
                                           R"("id00000008","page_01.htm","The","1","2")",
                                           R"("id00000008","page_02.htm","the","3","1")",
                                       }));
  // The index of all words merges the wrd_14_K lists: no list of all occurrences.
  EXPECT_FALSE(file_exists("wrd_15.txt"));
  EXPECT_EQ(console.output(),
            "processed 10%\nprocessed 20%\nprocessed 30%\nprocessed 40%\nprocessed 50%\nFile Not Found\n");
}

}  // namespace
}  // namespace textpair
