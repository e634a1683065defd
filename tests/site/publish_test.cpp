#include "site/publish.h"

#include <gtest/gtest.h>

#include "common/run_state.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

class PublishTest : public testing::WorkFolderTest {};

TEST_F(PublishTest, ResultsScreenShowsTheWordTotalAndWaitsForAKey) {
  struct Case {
    long long total;
    const char* line;
  } cases[] = {{1234, "words in *.html files =  1234"}, {0, "words in *.html files =  0"}};
  for (const Case& c : cases) {
    // The files the step copies, so that no command has cause to complain.
    testing::make_dir("htm_wrk");
    for (const char* name : {"htm_wrk/compare.htm", "files_list.htm", "i_1.htm", "index.htm", "s_1.htm"}) {
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

}  // namespace
}  // namespace textpair
