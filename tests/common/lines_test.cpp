#include "common/lines.h"

#include <gtest/gtest.h>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::WorkFolderTest;

TEST_F(WorkFolderTest, LinesEndAtLfWithCrDroppedAndALastLineWithoutLf) {
  testing::write_file("a.txt", "one\r\ntwo\n\nthree\rx\nlast");
  EXPECT_EQ(read_all_lines("A.TXT"),
            (std::vector<std::string>{"one", "two", "", "three\rx", "last"}));
  testing::write_file("empty.txt", "");
  EXPECT_TRUE(read_all_lines("empty.txt").empty());
}

TEST_F(WorkFolderTest, WriterReportsAFileItCouldNotMakeOrFill) {
  LineWriter ok;
  ASSERT_TRUE(ok.create("out.txt"));
  ok.line("a");
  EXPECT_TRUE(ok.close());
  EXPECT_EQ(testing::read_file("out.txt"), "a\r\n");

  LineWriter missing_folder;
  EXPECT_FALSE(missing_folder.create("no_such_folder\\out.txt"));
  missing_folder.line("lost");
  EXPECT_FALSE(missing_folder.close());

  LineWriter full;
  ASSERT_TRUE(full.create("/dev/full"));
  full.line(std::string(1 << 17, 'x'));
  EXPECT_FALSE(full.close());

  LineWriter never_opened;
  EXPECT_TRUE(never_opened.close());
}

}  // namespace
}  // namespace textpair
