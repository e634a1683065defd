#include "site/content_list.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "common/run_state.h"
#include "test_util/file_size_limit.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::read_file;
using testing::split_crlf;
using testing::write_file;

class ContentListTest : public testing::WorkFolderTest {};

TEST_F(ContentListTest, OneLinkPerPageFileAfterTheIntroduction) {
  struct Case {
    std::vector<std::string> pages;
    std::vector<std::string> want;
  } cases[] = {
      {{}, {"<br>", "<br><br>", "</body>", "</html>"}},
      {{"page_01.htm", "Page 2.htm"},
       {"<br>", "<a href=\"page_01.htm\"><span id = \"page_01.htm\" >page_01.htm</span></a><br>",
        "<a href=\"Page 2.htm\"><span id = \"Page 2.htm\" >Page 2.htm</span></a><br>", "<br><br>", "</body>",
        "</html>"}},
  };
  testing::PipedConsole console;
  RunState state;
  Context ctx{console.console(), state};
  for (const Case& c : cases) {
    write_file("group_page_all_sort.txt", crlf(c.pages));
    write_content_list(ctx);
    const auto lines = split_crlf(read_file("files_list.htm"));
    ASSERT_GE(lines.size(), 25u);
    EXPECT_EQ(lines[6], "<title>index of key words</title>");
    EXPECT_EQ(lines[12], "QUICK AND EASY INFORMATION SEARCH");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 25, lines.end()), c.want);
  }
}

TEST_F(ContentListTest, AFullDiskIsNotedForTheRun) {
  SKIP_WITHOUT_FULL_DISK();
  write_file("group_page_all_sort.txt", crlf({"page_01.htm"}));
  testing::PipedConsole console;
  RunState state;
  Context ctx{console.console(), state};
  write_content_list(ctx);
  EXPECT_FALSE(state.failures.any());
  testing::FileSizeLimit full_disk(0);
  write_content_list(ctx);
  EXPECT_TRUE(state.failures.any());
}

}  // namespace
}  // namespace textpair
