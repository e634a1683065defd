#include "input/file_choice.h"

#include <gtest/gtest.h>

#include "common/run_state.h"
#include "test_util/phase_run.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::list_names;
using testing::make_dir;
using testing::read_file;
using testing::write_file;

TEST(TableWidth, TheTypedNumberOrAHundred) {
  struct Case {
    const char* reply;
    const char* want;
  } cases[] = {
      {"", "100%"},    {"80", "80%"}, {"50%", "50%"}, {"2x", "2%"},      {"2.6", "3%"},
      {"abc", "100%"}, {"0", "100%"}, {"-5", "-5%"},  {"  150", "150%"},
  };
  for (const Case& c : cases) EXPECT_EQ(table_width_from(c.reply), c.want) << c.reply;
}

class FileChoiceTest : public testing::WorkFolderTest {
 protected:
  void SetUp() override {
    make_dir("compare_in");
    make_dir("txt_in");
  }
  Flow choose(const std::string& answers) {
    testing::PhaseRun run = testing::run_phase(choose_files, state_, answers);
    output_ = run.output;
    return run.flow;
  }
  RunState state_;
  std::string output_;
};

TEST_F(FileChoiceTest, EndsEarly) {
  struct Case {
    std::vector<std::string> files;
    std::string answers;
    std::string screen_end;  // the end of the transcript
  } cases[] = {
      {{},
       "1",
       "\n----------------------------\nSubfolder compare_in is empty\nThe files you want to compare must be written "
       "to UTF-8 format and copied to the COMPARE_IN subfolder.\n\n<1> = continue and end\n"},
      // Capital extensions are listed but not counted.
      {{"A.TXT", "B.TXT"},
       "1",
       "\n----------------------------\nSubfolder compare_in is empty\nThe files you want to compare must be written "
       "to UTF-8 format and copied to the COMPARE_IN subfolder.\n\n<1> = continue and end\n"},
      {{"a.txt"},
       "x1",
       "\n----------------------------\nThe compare_in subfolder must contain at least 2 files.\n\n<1> = continue and "
       "end\n"},
      {{"a.txt", "b.txt"},
       "3\n",
       "select file with line number = ? 3\nline number is out of range\n\n<...> any key "
       "for continue, end\n"},
      {{"a.txt", "b.txt"},
       "x\n",
       "select file with line number = ? x\nline number is out of range\n\n<...> any key "
       "for continue, end\n"},
      {{"a.txt", "b.txt"},
       "1\n0\n",
       "select file with line number = ? 0\nline number is out of range\n\n<...> any "
       "key for continue, end\n"},
      {{"a.txt", "b.txt"},
       "2\n2.4\n",
       "select file with line number = ? 2.4\nthe file is duplicated\n\n<...> any "
       "key for continue, end\n"},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    SetUp();
    for (const std::string& name : c.files) write_file("compare_in/" + name, name);
    EXPECT_EQ(choose(c.answers), Flow::kEnd) << c.answers;
    EXPECT_TRUE(testing::ends_with(output_, c.screen_end)) << output_;
  }
}

TEST_F(FileChoiceTest, CopiesTheTwoChosenFilesAndSetsTheWidth) {
  for (const char* name : {"alpha.txt", "beta.txt", "gamma.txt"}) write_file(std::string("compare_in/") + name, name);
  write_file("txt_in/old.txt", "old");
  ASSERT_EQ(choose("3\n1\n50%\n"), Flow::kGoOn);
  EXPECT_EQ(list_names("txt_in"), (std::vector<std::string>{"alpha.txt", "gamma.txt"}));
  EXPECT_EQ(state_.table_width, "50%");
  EXPECT_EQ(output_,
            "\n"
            "----------------------------\n"
            " 1 alpha.txt\n"
            " 2 beta.txt\n"
            " 3 gamma.txt\n"
            "\n"
            "-- select 1. file for compare --\n"
            "\n"
            "select file with line number = ? 3\n"
            "\n"
            "\n"
            "1. file for compare: gamma.txt\n"
            "        1 file(s) copied.\n"
            "----------------------------\n"
            " 1 alpha.txt\n"
            " 2 beta.txt\n"
            " 3 gamma.txt\n"
            "-- select 2. file for compare --\n"
            "\n"
            "select file with line number = ? 1\n"
            "\n"
            "\n"
            "2. file for compare: alpha.txt\n"
            "        1 file(s) copied.\n"
            "\n"
            "----------------------------\n"
            "Determining the size of the table according to the screen size.\n"
            "The table size parameter is defined in %\n"
            "100% means that the table is the same size (width) as the screen, but it is a matter of choice.\n"
            "\n"
            "size table, a number without the % sign, <enter> = 100 :? 50%\n");
}

TEST_F(FileChoiceTest, EnterAloneGivesAFullWidthTable) {
  write_file("compare_in/a.txt", "a");
  write_file("compare_in/b.txt", "b");
  ASSERT_EQ(choose("1\n2\n\n"), Flow::kGoOn);
  EXPECT_EQ(state_.table_width, "100%");
}

}  // namespace
}  // namespace textpair
