#include "compare/page_files.h"

#include <gtest/gtest.h>

#include "common/run_state.h"
#include "test_util/phase_run.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::file_exists;
using testing::list_names;
using testing::make_dir;
using testing::read_file;
using testing::write_file;

class CopyWithoutControlBytes : public testing::WorkFolderTest {};

TEST_F(CopyWithoutControlBytes, DropsBytesBelowSixteenOnly) {
  struct Case {
    std::string line;
    std::string want;
  } cases[] = {
      {"a\tb", "ab"},
      {std::string("x\0y", 3), "xy"},
      {"\x01\x0f\x10\x1f", "\x10\x1f"},
      {"a\rb", "ab"},
      {"\xC3\xA4 \xE2\x82\xAC", "\xC3\xA4 \xE2\x82\xAC"},
      {"\t\tab\x01", "ab"},
      {"", ""},
  };
  for (const Case& c : cases) {
    write_file("in.htm", c.line + "\n");
    ASSERT_TRUE((copy_without_control_bytes("in.htm", "out.htm")).ok());
    EXPECT_EQ(read_file("out.htm"), c.want + "\r\n") << c.line;
  }
}

class PageFilesTest : public testing::WorkFolderTest {
 protected:
  void SetUp() override {
    for (const char* folder : {"txt_in", "htm_in", "htm_wrk"}) make_dir(folder);
  }
  Flow write_pages(const std::string& keys = "") {
    testing::PhaseRun run = testing::run_phase(write_page_files, state_, keys);
    output_ = run.output;
    return run.flow;
  }
  RunState state_;
  std::string output_;
};

TEST_F(PageFilesTest, OnePageFromTheComparisonPage) {
  write_file("htm_wrk/compare.htm", "<td>\r\n <br>a\tb\r\n <br>\xC3\xA4\r\n");
  write_file("compare.htm", "work-folder copy");
  write_file("page_07.htm", "from an earlier run");
  state_.number_pattern = "00";
  state_.highlight = HighlightSettings{"blue", "1%", false};
  ASSERT_EQ(write_pages(), Flow::kGoOn);
  const std::string want = crlf({"<td>", " <br>ab", " <br>\xC3\xA4"});
  EXPECT_EQ(read_file("page_01.htm"), want);
  EXPECT_FALSE(file_exists("compare_01.htm")) << "no scratch copy beside the page";
  EXPECT_FALSE(file_exists("compare.htm"));
  EXPECT_FALSE(file_exists("page_07.htm"));
  EXPECT_EQ(list_names("htm_in"), (std::vector<std::string>{"compare.htm"}));
  EXPECT_EQ(state_.highlight.colour, "red");
  EXPECT_EQ(state_.highlight.size, "140%");
  EXPECT_TRUE(state_.highlight.inline_switch);
  // The listing that finds no stale page complains on the console.
  EXPECT_EQ(output_, "File Not Found\n");
}

TEST_F(PageFilesTest, NumbersPagesInListingOrder) {
  struct Case {
    int pages;
    const char* first;
    const char* last;
  } cases[] = {
      {3, "page_01.htm", "page_03.htm"},
      {12, "page_001.htm", "page_012.htm"},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    SetUp();
    state_ = RunState{};
    state_.number_pattern = "00";
    for (int i = 1; i <= c.pages; ++i) {
      std::string name = std::string(i < 10 ? "p0" : "p").append(std::to_string(i)).append(".htm");
      write_file("htm_wrk/" + name, name + "\r\n");
    }
    ASSERT_EQ(write_pages(), Flow::kGoOn) << c.pages;
    EXPECT_EQ(read_file(c.first), crlf({"p01.htm"}));
    EXPECT_EQ(read_file(c.last), crlf({"p" + std::to_string(c.pages + 100).substr(1) + ".htm"}));
    int page_files = 0;
    for (const std::string& name : list_names()) page_files += name.rfind("page_", 0) == 0 ? 1 : 0;
    EXPECT_EQ(page_files, c.pages);
  }
}

TEST_F(PageFilesTest, UpperCaseSourceGivesItsPage) {
  write_file("htm_wrk/Notes.HTML", "n\r\n");
  state_.number_pattern = "00";
  ASSERT_EQ(write_pages(), Flow::kGoOn);
  EXPECT_EQ(read_file("page_01.htm"), crlf({"n"}));
}

TEST_F(PageFilesTest, StaleHtmFileStopsTheRun) {
  write_file("htm_wrk/compare.htm", "x\r\n");
  // A folder is not removed by the delete, and the listing still shows it.
  make_dir("stale.htm");
  ASSERT_EQ(write_pages("x2\n1"), Flow::kEnd);
  EXPECT_EQ(output_,
            "----------------------------\n"
            "error at reading *.htm\n"
            "\n"
            "The file must be deleted first, completely created and read.\n"
            "\n"
            "<1> = continue and end\n");
  EXPECT_FALSE(file_exists("page_01.htm"));
}

}  // namespace
}  // namespace textpair
