#include "site/publish.h"

#include <gtest/gtest.h>

#include "common/run_state.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::list_names;
using testing::make_dir;
using testing::read_file;
using testing::write_file;

class PublishTest : public testing::WorkFolderTest {};

TEST_F(PublishTest, ResultsScreenShowsTheWordTotalAndWaitsForAKey) {
  struct Case {
    long long total;
    const char* line;
  } cases[] = {{1234, "words in *.html files =  1234"}, {0, "words in *.html files =  0"}};
  for (const Case& c : cases) {
    // The files the step copies, so that no command has cause to complain.
    testing::make_dir("htm_wrk");
    for (const char* name :
         {"htm_wrk/compare.htm", "files_list.htm", "i_1.htm", "index.htm", "s_1.htm", "dir_02.txt"}) {
      testing::write_file(name, "");
    }
    testing::PipedConsole console("x");
    RunState state;
    state.word_total = c.total;
    Context ctx{console.console(), state};
    EXPECT_EQ(publish_and_show_results(ctx), Flow::kEnd);
    const std::string want = std::string("processed 90%\nprocessed 100%\n\n============ RESULTS ===========\n\n") +
                             c.line +
                             "\n\nview subfolder: htm_out\nunindexed file: compare.htm\n\n"
                             "indexed files: page*.htm, index*.htm, i_*.htm, s_*.htm\n"
                             "You can access the index of all words by double-clicking on any word.\n"
                             "details: " +
                             kPublisherHost + "\n\n<...> any key to continue and end\n";
    EXPECT_EQ(console.output(), want);
  }
}

// The site of a run with two groups; the page file's name on disk is in
// capitals, as a listing may give it.
void write_finished_run() {
  write_file("dir_02.txt", crlf({"PAGE_01.HTM", "x.txt"}));
  write_file("PAGE_01.HTM", "page\r\n");
  make_dir("htm_wrk");
  write_file("htm_wrk/compare.htm", "compare\r\n");
  for (const char* name : {"files_list.htm", "i_1.htm", "i_2.htm", "index.htm", "s_1.htm", "s_2.htm"}) {
    write_file(name, name);
  }
  write_file("page_01_02.htm", "scratch");
  write_file("wrd_01.txt", "x\r\n");
  write_file("Group_Page_All.TXT", "x\r\n");
  write_file("out_null.list", "");
  make_dir("wrd_24");
  write_file("wrd_24/wrd_24_1.txt", "x\r\n");
}

TEST_F(PublishTest, CopiesTheSiteIntoAnEmptiedHtmOutAndCleansUp) {
  struct Case {
    const char* name;
    std::vector<std::string> before;  // files in htm_out before; none: no folder
  } cases[] = {{"no htm_out", {}}, {"stale htm_out", {"old.htm", "page_09.htm"}}};
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    write_finished_run();
    if (!c.before.empty()) make_dir("htm_out");
    for (const std::string& name : c.before) write_file("htm_out/" + name, "stale");
    testing::PipedConsole console("x");
    RunState state;
    Context ctx{console.console(), state};
    publish_and_show_results(ctx);
    EXPECT_EQ(list_names("htm_out"), (std::vector<std::string>{"compare.htm", "files_list.htm", "i_1.htm", "i_2.htm",
                                                               "index.htm", "page_01.htm", "s_1.htm", "s_2.htm"}))
        << c.name;
    EXPECT_EQ(read_file("htm_out/compare.htm"), "compare\r\n");
    EXPECT_EQ(read_file("htm_out/page_01.htm"), "page\r\n");
    EXPECT_EQ(list_names("."), (std::vector<std::string>{"htm_out", "htm_wrk", "wrd_24"})) << c.name;
    EXPECT_EQ(list_names("wrd_24"), (std::vector<std::string>{"wrd_24_1.txt"}));
  }
}

}  // namespace
}  // namespace textpair
