#include "input/intake.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "common/run_state.h"
#include "test_util/file_size_limit.h"
#include "test_util/phase_run.h"
#include "test_util/piped_console.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::file_exists;
using testing::list_names;
using testing::make_dir;
using testing::PipedConsole;
using testing::read_file;
using testing::write_file;

TEST(IntakeName, CleansInputNamesAndRefusesOthers) {
  struct Case {
    const char* listed;
    const char* want;  // nullptr: not an input file
  } cases[] = {
      {"abc.txt", "abc.txt"},
      {"my notes.txt", "my_notes.txt"},
      {" spaced .txt ", "spaced.txt"},
      {"a.b.htm", "a_b.htm"},
      {"report.html", "report.html"},
      {"Notes.TXT", "Notes.TXT"},
      {"page_1.txt", "file_page_1.txt"},
      {"Page_1.TXT", "file_Page_1.TXT"},
      {"\xC3\xBC.txt", "__.txt"},
      {"x.htm.txt", "x_htm.txt"},  // ".txt" wins over an earlier ".htm"
      {"notes.doc", nullptr},
      {"txt", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    std::optional<std::string> got = intake_name_of(c.listed);
    if (c.want == nullptr) {
      EXPECT_FALSE(got.has_value()) << c.listed;
    } else {
      EXPECT_EQ(got.value_or("<none>"), c.want) << c.listed;
    }
  }
}

TEST(ClashBase, HtmFirstThenTxt) {
  struct Case {
    const char* name;
    const char* want;
  } cases[] = {
      {"a.htm", "a"}, {"a.txt", "a"}, {"a.html", "a"}, {"A.HTM", "A"}, {"a.txt.htm", "a.txt"}, {"b.htm.txt", "b"},
  };
  for (const Case& c : cases) EXPECT_EQ(clash_base(c.name).value_or("<none>"), c.want) << c.name;
  EXPECT_FALSE(clash_base("notes.doc").has_value());
}

class HtmToTextTest : public testing::WorkFolderTest {};

TEST_F(HtmToTextTest, KeepsTheTrimmedBodyLines) {
  struct Case {
    const char* what;
    std::string htm;
    std::string want;
  } cases[] = {
      {"body and pre lines dropped, lines trimmed",
       "<html>\r\n<head><title>t</title></head>\r\n  <BODY>  \r\n<pre>\r\n   one  \r\n\ttwo\r\n</PRE>\r\n"
       "</body>\r\nafter\r\n",
       crlf({"one", "\ttwo"})},
      {"LF line ends, no end tag", "<body>\na\n\nb", crlf({"a", "", "b"})},
      {"a body tag with attributes is not seen", "<body class=\"x\">\ntext\n</body>\n", ""},
      {"a body tag sharing its line is not seen", "<body>text\nmore\n", ""},
      {"markup inside the body stays", "<body>\n<p>a &amp; b</p>\n</body>\n", crlf({"<p>a &amp; b</p>"})},
      {"UTF-8 kept byte for byte", "<body>\n\xEF\xBB\xBF\xC3\xA4\n</body>\n", crlf({"\xEF\xBB\xBF\xC3\xA4"})},
      {"empty page", "", ""},
  };
  for (const Case& c : cases) {
    write_file("page.htm", c.htm);
    EXPECT_TRUE((htm_to_text("page.htm", "page.txt")).ok()) << c.what;
    EXPECT_EQ(read_file("page.txt"), c.want) << c.what;
  }
}

TEST_F(HtmToTextTest, ReportsATextItCouldNotWriteWhole) {
  SKIP_WITHOUT_FULL_DISK();
  write_file("page.htm", "<body>\n" + std::string(100000, 'x') + "\n</body>\n");
  testing::FileSizeLimit limit(50000);
  EXPECT_FALSE((htm_to_text("page.htm", "page.txt")).ok());
}

class IntakeTest : public testing::WorkFolderTest {
 protected:
  // Fills compare_in with files of the given names, each holding its name.
  void drop(const std::vector<std::string>& names) {
    make_dir("compare_in");
    for (const std::string& name : names) write_file("compare_in/" + name, "text of " + name + "\r\n");
  }
  Flow take_in(const std::string& keys = "") {
    RunState state;
    testing::PhaseRun run = testing::run_phase(take_in_inputs, state, keys);
    output_ = run.output;
    return run.flow;
  }
  std::string output_;
};

TEST_F(IntakeTest, PutsInputFilesBackUnderCleanNames) {
  drop({"my notes.txt", "page_1.txt", "Page_2.TXT", "abc.txt", "\xC3\xBC.txt", "a.b.txt"});
  ASSERT_EQ(take_in(), Flow::kGoOn);
  EXPECT_EQ(list_names("compare_in"), (std::vector<std::string>{"__.txt", "a_b.txt", "abc.txt", "file_Page_2.TXT",
                                                                "file_page_1.txt", "my_notes.txt"}));
  EXPECT_EQ(read_file("compare_in/my_notes.txt"), "text of my notes.txt\r\n");
  EXPECT_EQ(read_file("compare_in/__.txt"), "text of \xC3\xBC.txt\r\n");
  // The work folder holds the file under both names.
  EXPECT_TRUE(file_exists("my notes.txt"));
  EXPECT_TRUE(file_exists("my_notes.txt"));
  EXPECT_TRUE(file_exists("txt_wrk"));
  EXPECT_TRUE(file_exists("htm_wrk"));
}

TEST_F(IntakeTest, NoFileIsLost) {
  SKIP_ON_WINDOWS("Windows cannot hold A.txt beside a.txt, nor a name with a quote");
  drop({"my notes.txt", "my-notes.txt", "my_notes.txt", "A.txt", "a.txt", "quo\"te.txt", "notes.doc", " lead.txt",
        "keep.list", "x.txt more"});
  ASSERT_EQ(take_in(), Flow::kGoOn);
  struct Case {
    const char* in_compare_in;
    const char* from;
  } cases[] = {
      {"my_notes.txt", "my_notes.txt"},    // an already clean name keeps it
      {"my_notes_2.txt", "my notes.txt"},  // the others get the next free number
      {"my_notes_3.txt", "my-notes.txt"},
      {"A.txt", "A.txt"},
      {"a.txt", "a.txt"},              // the same name in another case stays as it was
      {"quo\"te.txt", "quo\"te.txt"},  // a name the command line cannot carry stays
      {"x.txt more", "x.txt more"},    // its intake name could not be carried bare either
      {"notes.doc", "notes.doc"},      // not input, left where it was
      {"keep.list", "keep.list"},
      {"lead.txt", " lead.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(read_file(std::string("compare_in/") + c.in_compare_in), "text of " + std::string(c.from) + "\r\n")
        << c.in_compare_in;
  }
  EXPECT_EQ(list_names("compare_in").size(), std::size(cases));
  EXPECT_FALSE(file_exists(".compare_in_hold"));
  for (const char* line : {"The name my_notes.txt is in use; my notes.txt is taken in as my_notes_2.txt\n",
                           "The name my_notes.txt is in use; my-notes.txt is taken in as my_notes_3.txt\n",
                           "Skipped, the file name cannot be used; the file stays in compare_in: a.txt\n",
                           "Skipped, the file name cannot be used; the file stays in compare_in: quo\"te.txt\n",
                           "Skipped, the file name cannot be used; the file stays in compare_in: x.txt more\n"}) {
    EXPECT_NE(output_.find(line), std::string::npos) << line << output_;
  }
}

#ifndef _WIN32
// A FIFO (and so any other file that is not a regular one) is no input:
// never opened, said on the console, and left in compare_in as it was.
TEST_F(IntakeTest, AFifoIsSkippedAndStays) {
  drop({"a.txt", "b.htm"});
  ASSERT_EQ(mkfifo("compare_in/pipe.txt", 0644), 0);
  ASSERT_EQ(mkfifo("compare_in/pipe", 0644), 0);
  ASSERT_EQ(take_in(), Flow::kGoOn);
  EXPECT_EQ(list_names("compare_in"), (std::vector<std::string>{"a.txt", "b.htm", "b.txt", "pipe", "pipe.txt"}));
  for (const char* fifo : {"compare_in/pipe.txt", "compare_in/pipe"}) {
    struct stat st {};
    ASSERT_EQ(lstat(fifo, &st), 0) << fifo;
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << fifo;
  }
  EXPECT_FALSE(file_exists("pipe.txt"));
  EXPECT_FALSE(file_exists(".compare_in_hold"));
  for (const char* line : {"Skipped, not a regular file; the file stays in compare_in: pipe.txt\n",
                           "Skipped, not a regular file; the file stays in compare_in: pipe\n"}) {
    EXPECT_NE(output_.find(line), std::string::npos) << line << output_;
  }
}
#endif

// Names that open a device on Windows, or that Windows trims to another
// file's name, come from zips and Linux shares; they stay as they were.
TEST_F(IntakeTest, DeviceNamesAndTrimmedEndsAreSkippedAndStay) {
  SKIP_ON_WINDOWS("Windows cannot make files of these names");
  const std::vector<std::string> reserved = {"aux.txt", "Com1.htm", "notes.txt.", "blank.txt ", "lpt1.doc"};
  std::vector<std::string> names = reserved;
  names.push_back("a.txt");
  drop(names);
  ASSERT_EQ(take_in(), Flow::kGoOn);
  std::vector<std::string> want = names;
  std::sort(want.begin(), want.end());
  EXPECT_EQ(list_names("compare_in"), want);
  for (const std::string& name : reserved) {
    EXPECT_EQ(read_file("compare_in/" + name), "text of " + name + "\r\n") << name;
    EXPECT_FALSE(file_exists(name)) << name;  // never copied out
    EXPECT_NE(output_.find("Skipped, the file name cannot be used; the file stays in compare_in: " + name + "\n"),
              std::string::npos)
        << name << output_;
  }
  EXPECT_TRUE(file_exists("a.txt"));
  EXPECT_FALSE(file_exists("compare_in/Com1.txt"));
}

// A hidden file (Word's lock file beside an open document; a dot file on
// POSIX) is no input: it is neither listed nor copied, and stays as it is.
TEST_F(IntakeTest, HiddenFilesStayAsTheyAre) {
#ifdef _WIN32
  const std::string lock = "~$notes.txt";
#else
  const std::string lock = ".notes.txt";
#endif
  drop({"notes.txt", "other.txt", lock});
  testing::mark_hidden("compare_in/" + lock);
  ASSERT_EQ(take_in(), Flow::kGoOn);
  std::vector<std::string> want = {"notes.txt", "other.txt", lock};
  std::sort(want.begin(), want.end());
  EXPECT_EQ(list_names("compare_in"), want);
  EXPECT_EQ(read_file("compare_in/" + lock), "text of " + lock + "\r\n");
  EXPECT_FALSE(file_exists(lock));
  EXPECT_FALSE(file_exists(*intake_name_of(lock)));
  EXPECT_EQ(output_.find(lock), std::string::npos) << output_;
  EXPECT_FALSE(file_exists(".compare_in_hold"));
}

TEST_F(IntakeTest, TurnsHtmFilesIntoText) {
  make_dir("compare_in");
  write_file("compare_in/report.html", "<html>\r\n<body>\r\n<pre>\r\n  first line\r\n</pre>\r\n</body>\r\n");
  write_file("compare_in/plain.txt", "plain\r\n");
  ASSERT_EQ(take_in(), Flow::kGoOn);
  EXPECT_EQ(list_names("compare_in"), (std::vector<std::string>{"plain.txt", "report.html", "report.txt"}));
  EXPECT_EQ(read_file("compare_in/report.txt"), crlf({"first line"}));
  // The copy into compare_in is reported on the console.
  EXPECT_NE(output_.find("Reformatting *.htm files to *.txt\n        1 file(s) copied.\n"), std::string::npos)
      << output_;
}

TEST_F(IntakeTest, ClashPromptAskedOncePerBase) {
  struct Case {
    std::vector<std::string> names;
    std::string keys;
    Flow want;
    int prompts;
  } cases[] = {
      {{"a.htm", "a.txt"}, "1", Flow::kEnd, 1},
      {{"a.htm", "a.txt"}, "x2", Flow::kGoOn, 1},
      {{"a.htm", "a.html"}, "2", Flow::kGoOn, 1},
      {{"a.htm", "A.txt"}, "2", Flow::kGoOn, 1},  // one file in a case-blind folder
      {{"a.htm", "a.txt", "b.htm", "b.txt"}, "22", Flow::kGoOn, 2},
      {{"a.htm", "b.txt"}, "", Flow::kGoOn, 0},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    make_dir("compare_in");
    for (const std::string& name : c.names) write_file("compare_in/" + name, "<body>\nfrom " + name + "\n");
    EXPECT_EQ(take_in(c.keys), c.want) << c.names[1];
    EXPECT_EQ(testing::count_of(output_, "<1> = stop and rename file: "), static_cast<std::size_t>(c.prompts))
        << c.names[1] << output_;
  }
}

TEST_F(IntakeTest, ClashScreenAndStop) {
  drop({"a.htm", "a.txt"});
  ASSERT_EQ(take_in("1"), Flow::kEnd);
  EXPECT_EQ(output_,
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
            "<2> = continue and *.txt file will be recreate from *.htm\n");
  // The text file is still the user's.
  EXPECT_EQ(read_file("compare_in/a.txt"), "text of a.txt\r\n");
}

TEST_F(IntakeTest, SetUpFoldersMakesThemAndEmptiesHtmOut) {
  make_dir("htm_out");
  write_file("htm_out/old.htm", "old");
  PipedConsole console;
  RunState state;
  Context ctx{console, state};
  set_up_folders(ctx);
  for (const char* folder : {"htm_in", "htm_out", "htm_wrk", "txt_in", "txt_wrk"}) {
    EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
  }
  EXPECT_TRUE(list_names("htm_out").empty());
}

// Where an interrupted intake may have stopped, the next run's start puts
// compare_in back as it was: the original under its own name, without the
// copy intake had made under the new name.
class HeldFilesTest : public testing::WorkFolderTest {};

TEST_F(HeldFilesTest, TheNextStartPutsBackWhatAnInterruptedIntakeSetAside) {
  const std::string original = "The harbour wall.\r\n";
  struct Case {
    const char* what;
    bool journal;    // the journal names the file
    bool copy_made;  // the copy under the new name stands in compare_in
    bool scratch;    // the copy for compare_in was being made
  } cases[] = {
      {"set aside, nothing copied yet", true, false, false},
      {"the copy for compare_in half made", true, false, true},
      {"the copy stands in compare_in", true, true, false},
      {"no journal (a lost write)", false, false, false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all("compare_in");
    std::filesystem::remove_all(".compare_in_hold");
    make_dir("compare_in");
    make_dir(".compare_in_hold");
    write_file("compare_in/b.txt", "other");
    write_file(".compare_in_hold/my notes.txt", original);
    if (c.journal) write_file(".compare_in_hold/~journal", "my notes.txt\tmy_notes.txt\n");
    if (c.scratch) write_file(".compare_in_hold/~intake.tmp", "The harb");
    if (c.copy_made) write_file("compare_in/my_notes.txt", original);
    RunState state;
    PipedConsole console;
    Context ctx{console.console(), state};
    put_back_held_files(ctx);
    EXPECT_FALSE(state.failures.any()) << c.what;
    EXPECT_EQ(list_names("compare_in"), (std::vector<std::string>{"b.txt", "my notes.txt"})) << c.what;
    EXPECT_EQ(read_file("compare_in/my notes.txt"), original) << c.what;
    EXPECT_FALSE(file_exists(".compare_in_hold")) << c.what;
  }
}

// A file the user put back meanwhile under the same name is not
// overwritten: the held one stays in the hold folder.
TEST_F(HeldFilesTest, AHeldFileNeverReplacesOneInCompareIn) {
  make_dir("compare_in");
  make_dir(".compare_in_hold");
  write_file("compare_in/a.txt", "new");
  write_file(".compare_in_hold/a.txt", "old");
  RunState state;
  PipedConsole console;
  Context ctx{console.console(), state};
  put_back_held_files(ctx);
  EXPECT_EQ(read_file("compare_in/a.txt"), "new");
  EXPECT_EQ(read_file(".compare_in_hold/a.txt"), "old");
}

}  // namespace
}  // namespace textpair
