// The input phases through the page file: a crafted pair of inputs (one of
// them an HTML page) taken from compare_in to compare.htm and page_01.htm,
// compared byte for byte with pages written by hand, and every early end of
// the input phases as the console shows it in a whole run of the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/run_state.h"
#include "compare/comparison_page.h"
#include "compare/page_files.h"
#include "input/file_choice.h"
#include "input/intake.h"
#include "input/working_copies.h"
#include "test_util/http_server.h"
#include "test_util/phase_run.h"
#include "test_util/program_run.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::HttpServer;
using testing::ProgramRun;
using testing::RunResult;

const std::string kData = std::string(TEXTPAIR_SOURCE_DIR) + "/tests/e2e/data/pair/";
const char kLeft[] = "left notes.txt";
const char kRight[] = "Right Page.html";

std::string data_file(const std::string& name) { return testing::read_file(kData + name); }

// An expected page with the publisher of this build.
std::string expected_page(const std::string& name) {
  std::string page = data_file(name);
  const std::string written = "http://www.textpair.example";
  for (std::size_t at = page.find(written); at != std::string::npos; at = page.find(written, at)) {
    page.replace(at, written.size(), publisher_address());
    at += publisher_address().size();
  }
  return page;
}

class InputPipelineTest : public testing::WorkFolderTest {};

TEST_F(InputPipelineTest, PairBecomesTheComparisonPageAndThePageFile) {
  testing::make_dir("compare_in");
  for (const char* name : {kLeft, kRight}) testing::write_file(std::string("compare_in/") + name, data_file(name));
  RunState state;
  auto folders = [](Context& ctx) {
    set_up_folders(ctx);
    return Flow::kGoOn;
  };
  const std::pair<Flow (*)(Context&), std::string> phases[] = {
      {take_in_inputs, ""},         {folders, ""},
      {choose_files, "2\n1\n80\n"}, {make_working_copies, "www.example.org\n"},
      {write_comparison_page, ""},  {write_page_files, ""},
  };
  for (const auto& [phase, answers] : phases) {
    testing::PhaseRun run = testing::run_phase(phase, state, answers);
    ASSERT_EQ(run.flow, Flow::kGoOn) << run.output;
  }
  EXPECT_EQ(testing::read_file("htm_wrk/compare.htm"), expected_page("compare.htm"));
  EXPECT_EQ(testing::read_file("page_01.htm"), expected_page("page_01.htm"));
  EXPECT_FALSE(testing::file_exists("compare_01.htm"));  // written straight into the page file
  EXPECT_EQ(state.table_width, "80%");
  EXPECT_EQ(state.search_site, "www.example.org");
  EXPECT_EQ(state.number_pattern, "00");
  // The user's files are all in compare_in, the page among them.
  EXPECT_EQ(testing::list_names("compare_in"),
            (std::vector<std::string>{"Right_Page.html", "Right_Page.txt", "left_notes.txt"}));
  EXPECT_EQ(testing::read_file("compare_in/left_notes.txt"), data_file(kLeft));
  EXPECT_EQ(testing::read_file("compare_in/Right_Page.html"), data_file(kRight));
}

// Whole runs: the start-up screens are accepted with "111" and the ads page
// is served locally.
struct InputRun {
  InputRun() : server_("/oglasi/oglasi.htm", "<html>\n<p>Ad one</p>\n</html>\n"), program_("www.example.com.exe") {
    std::filesystem::create_directory(program_.folder() + "/compare_in");
  }

  void drop(const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [name, text] : files) program_.write_file("compare_in/" + name, text);
  }
  // The transcript from the input intake on, the work folder masked.
  std::string run_input_phases(const std::string& answers) {
    RunResult run = program_.run("111" + answers, server_.proxy_env());
    EXPECT_EQ(run.exit_status, 0);
    std::string transcript = program_.normalise(run.transcript);
    // The folder as the interpreter shows it (a POSIX folder gets drive C:).
    std::string windows_folder = program_.folder();
    if (windows_folder.size() < 2 || windows_folder[1] != ':') windows_folder = "C:" + windows_folder;
    for (char& c : windows_folder) c = c == '/' ? '\\' : c;
    for (std::size_t at; (at = transcript.find(windows_folder)) != std::string::npos;) {
      transcript.replace(at, windows_folder.size(), "<WORK>");
    }
    const std::string fetched = "-> \"oglasi_wget/oglasi_wget.html\" [1]\n";
    std::size_t at = transcript.find(fetched);
    EXPECT_NE(at, std::string::npos) << transcript;
    return at == std::string::npos ? transcript : transcript.substr(at + fetched.size());
  }

  HttpServer server_;
  ProgramRun program_;
};

// The clash check, no HTM file to convert, and the folder set-up of a run
// whose htm_out does not exist yet.
const char kNoClashNoHtm[] =
    "\n"
    "----------------------------\n"
    "Reformatting *.htm files to *.txt\n"
    "File Not Found\n"
    "The system cannot find the path specified.\n"
    "The system cannot find the path specified.\n"
    "\n"
    "A subdirectory or file htm_wrk already exists.\n"
    "A subdirectory or file txt_wrk already exists.\n";

const char kListOfTwo[] =
    "\n"
    "----------------------------\n"
    " 1 a.txt\n"
    " 2 b.txt\n"
    "\n"
    "-- select 1. file for compare --\n"
    "\n";

const char kFirstIsA[] =
    "select file with line number = ? 1\n"
    "\n"
    "\n"
    "1. file for compare: a.txt\n"
    "        1 file(s) copied.\n"
    "----------------------------\n"
    " 1 a.txt\n"
    " 2 b.txt\n"
    "-- select 2. file for compare --\n"
    "\n";

TEST(InputRunTest, CompleteRunPublishesTheComparisonPage) {
  InputRun run;
  run.drop({{kLeft, data_file(kLeft)}, {kRight, data_file(kRight)}});
  std::string transcript = run.run_input_phases("1\n2\n80\nwww.example.org\n");
  const ProgramRun& program = run.program_;
  EXPECT_EQ(program.read_file("htm_out/compare.htm"), expected_page("compare.htm"));
  EXPECT_TRUE(program.exists("htm_out/page_01.htm"));
  // The clean-up spares the user's files.
  EXPECT_EQ(program.read_file("compare_in/left_notes.txt"), data_file(kLeft));
  EXPECT_EQ(program.read_file("compare_in/Right_Page.html"), data_file(kRight));
  const std::string input_phases =
      "\n\n\n\n\n\n"
      "----------------------------\n"
      "Reformatting *.htm files to *.txt\n"
      "        1 file(s) copied.\n"
      "The system cannot find the path specified.\n"
      "The system cannot find the path specified.\n"
      "\n"
      "A subdirectory or file htm_wrk already exists.\n"
      "A subdirectory or file txt_wrk already exists.\n"
      "\n"
      "----------------------------\n"
      " 1 left_notes.txt\n"
      " 2 Right_Page.txt\n"
      "\n"
      "-- select 1. file for compare --\n"
      "\n"
      "select file with line number = ? 1\n"
      "\n"
      "\n"
      "1. file for compare: left_notes.txt\n"
      "        1 file(s) copied.\n"
      "----------------------------\n"
      " 1 left_notes.txt\n"
      " 2 Right_Page.txt\n"
      "-- select 2. file for compare --\n"
      "\n"
      "select file with line number = ? 2\n"
      "\n"
      "\n"
      "2. file for compare: Right_Page.txt\n"
      "        1 file(s) copied.\n"
      "\n"
      "----------------------------\n"
      "Determining the size of the table according to the screen size.\n"
      "The table size parameter is defined in %\n"
      "100% means that the table is the same size (width) as the screen, but it is a matter of choice.\n"
      "\n"
      "size table, a number without the % sign, <enter> = 100 :? 80\n"
      "\n"
      "----------------------------\n"
      "\n"
      "The program enables targeted search.\n"
      "Google search phrases will be targeted to a specific web address.\n"
      "If the destination web address is not specified, Google search will run all over the web.\n"
      "\n"
      "web address for destination search (example: www.example.com) =? www.example.org\n"
      "\n"
      "File Not Found\n"
      "\n"
      "============ INDEXING ===========\n";
  EXPECT_EQ(transcript.substr(0, input_phases.size()), input_phases);
}

TEST(InputRunTest, EarlyEnds) {
  const std::vector<std::pair<std::string, std::string>> two = {{"a.txt", "a\r\n"}, {"b.txt", "b\r\n"}};
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;
    std::string answers;
    std::string transcript;
  } cases[] = {
      {"no file",
       {},
       "1",
       "File Not Found\n"
       "The system cannot find the file specified.\n"
       "Could Not Find <WORK>\\compare_in\\*.*\n"
       "\n"
       "\n"
       "----------------------------\n"
       "Reformatting *.htm files to *.txt\n"
       "File Not Found\n"
       "File Not Found\n"
       "File Not Found\n"
       "The system cannot find the path specified.\n"
       "The system cannot find the path specified.\n"
       "\n"
       "A subdirectory or file htm_wrk already exists.\n"
       "A subdirectory or file txt_wrk already exists.\n"
       "File Not Found\n"
       "\n"
       "----------------------------\n"
       "Subfolder compare_in is empty\n"
       "The files you want to compare must be written to UTF-8 format and copied to the COMPARE_IN subfolder.\n"
       "\n"
       "<1> = continue and end\n"},
      {"one file",
       {{"a.txt", "a\r\n"}},
       "1",
       std::string("\n").append(kNoClashNoHtm) + "\n"
                                                 "----------------------------\n"
                                                 "The compare_in subfolder must contain at least 2 files.\n"
                                                 "\n"
                                                 "<1> = continue and end\n"},
      {"number out of range", two, "3\nx",
       std::string("\n").append(kNoClashNoHtm) + kListOfTwo +
           "select file with line number = ? 3\n"
           "line number is out of range\n"
           "\n"
           "<...> any key for continue, end\n"},
      {"the same number twice", two, "1\n1\nx",
       std::string("\n").append(kNoClashNoHtm) + kListOfTwo + kFirstIsA +
           "select file with line number = ? 1\n"
           "the file is duplicated\n"
           "\n"
           "<...> any key for continue, end\n"},
      {"clash prompt answered 1",
       {{"a.htm", "<body>\na\n"}, {"a.txt", "a\r\n"}},
       "1",
       "\n"
       "\n"
       "----------------------------\n"
       "Reformatting *.htm files to *.txt\n"
       "\n"
       "----------------------------\n"
       "Compare file names *.htm and *.txt\n"
       "\n"
       "a\n"
       "\n"
       "File has the same name and two extensions, *.htm, *.txt\n"
       "\n"
       "<1> = stop and rename file: a\n"
       "<2> = continue and *.txt file will be recreate from *.htm\n"},
      {"duplicate prompt answered 2",
       {{"a.txt", "same\r\n"}, {"b.txt", "same\r\n"}},
       "1\n2\n\n\n2",
       std::string("\n").append(kNoClashNoHtm) + kListOfTwo + kFirstIsA +
           "select file with line number = ? 2\n"
           "\n"
           "\n"
           "2. file for compare: b.txt\n"
           "        1 file(s) copied.\n"
           "\n"
           "----------------------------\n"
           "Determining the size of the table according to the screen size.\n"
           "The table size parameter is defined in %\n"
           "100% means that the table is the same size (width) as the screen, but it is a matter of choice.\n"
           "\n"
           "size table, a number without the % sign, <enter> = 100 :? \n"
           "\n"
           "----------------------------\n"
           "\n"
           "The program enables targeted search.\n"
           "Google search phrases will be targeted to a specific web address.\n"
           "If the destination web address is not specified, Google search will run all over the web.\n"
           "\n"
           "web address for destination search (example: www.example.com) =? \n"
           "\n"
           "\n"
           "----- duplicate files -----\n"
           "a.txt\n"
           "b.txt\n"
           "\n"
           "<1> continue\n"
           "<2> end\n"},
  };
  for (const Case& c : cases) {
    InputRun fresh;
    fresh.drop(c.files);
    EXPECT_EQ(fresh.run_input_phases(c.answers), c.transcript) << c.what;
    // The user's files are still in compare_in.
    for (const auto& [name, text] : c.files) EXPECT_EQ(fresh.program_.read_file("compare_in/" + name), text) << c.what;
  }
}

}  // namespace
}  // namespace textpair
