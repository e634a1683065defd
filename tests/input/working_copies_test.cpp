#include "input/working_copies.h"

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

TEST(SearchSite, TakesTheFirstItemOfTheReply) {
  struct Case {
    const char* reply;
    const char* want;
  } cases[] = {
      {"", ""},
      {"www.example.org", "www.example.org"},
      {"  \twww.example.org", "www.example.org"},
      {"WWW.Example.ORG  ", "WWW.Example.ORG  "},
      {"a,b", "a"},
      {",b", ""},
      {"\"a,b\",c", "a,b"},
      {"\"open", "open"},
      {"https://x.example/path", "https://x.example/path"},
  };
  for (const Case& c : cases) EXPECT_EQ(search_site_from(c.reply), c.want) << c.reply;
}

class SameLinesTest : public testing::WorkFolderTest {};

TEST_F(SameLinesTest, OnlyIdenticalLinesAreTheSame) {
  struct Case {
    const char* a;
    const char* b;
    bool want;
  } cases[] = {
      {"one\r\ntwo\r\n", "one\r\ntwo\r\n", true},
      {"one\r\ntwo\r\n", "one\ntwo", true},  // line ends do not count
      {"", "", true},
      {"one\r\n", "one\r\ntwo\r\n", false},  // the opening lines of the other
      {"one\r\ntwo\r\n", "one\r\n", false},
      {"", "one\r\n", false},
      {"one\r\ntwo\r\n", "one\r\nTwo\r\n", false},
      {"one\r\n\r\n", "one\r\n", false},  // an empty last line is a line
      {"a \r\n", "a\r\n", false},
  };
  for (const Case& c : cases) {
    write_file("a.txt", c.a);
    write_file("b.txt", c.b);
    IoFailures failures;
    EXPECT_EQ(same_lines("a.txt", "b.txt", failures), c.want) << c.a << " | " << c.b;
  }
}

class WorkingCopiesTest : public testing::WorkFolderTest {
 protected:
  void SetUp() override {
    for (const char* folder : {"txt_in", "txt_wrk", "htm_wrk"}) make_dir(folder);
  }
  Flow make_copies(const std::string& answers) {
    testing::PhaseRun run = testing::run_phase(make_working_copies, state_, answers);
    output_ = run.output;
    return run.flow;
  }
  RunState state_;
  std::string output_;
};

TEST_F(WorkingCopiesTest, CleansNamesAndHandsOverTheList) {
  write_file("txt_in/my notes-2.txt", "one\r\n");
  write_file("txt_in/Page_1.TXT", "two\r\n");
  write_file("txt_wrk/stale.txt", "stale");
  make_dir("htm_in");
  write_file("htm_in/page_01.htm", "old");
  write_file("htm_wrk/compare.htm", "old");
  ASSERT_EQ(make_copies("  WWW.Example.org,rest\n"), Flow::kGoOn);
  EXPECT_EQ(state_.search_site, "WWW.Example.org");
  EXPECT_EQ(state_.number_pattern, "00");
  EXPECT_EQ(list_names("txt_wrk"), (std::vector<std::string>{"file_Page_1.TXT", "my_notes_2.txt"}));
  EXPECT_EQ(read_file("txt_wrk.list"), crlf({"file_Page_1.TXT", "my_notes_2.txt"}));
  EXPECT_EQ(read_file("txt_wrk/my_notes_2.txt"), "one\r\n");
  EXPECT_TRUE(list_names("htm_in").empty());
  EXPECT_TRUE(list_names("htm_wrk").empty());
  // A folder that is not there is not made.
  EXPECT_FALSE(file_exists("htm_out"));
  EXPECT_EQ(output_,
            "\n"
            "----------------------------\n"
            "\n"
            "The program enables targeted search.\n"
            "Google search phrases will be targeted to a specific web address.\n"
            "If the destination web address is not specified, Google search will run all over the web.\n"
            "\n"
            "web address for destination search (example: www.example.com) =?   WWW.Example.org,rest\n"
            "\n");
}

TEST_F(WorkingCopiesTest, ReportsOnlyIdenticalFiles) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;
    std::string keys;
    Flow want;
    int screens;
  } cases[] = {
      {"different", {{"a.txt", "x\r\n"}, {"b.txt", "y\r\n"}}, "", Flow::kGoOn, 0},
      {"identical, end", {{"a.txt", "x\r\ny\r\n"}, {"b.txt", "x\ny\n"}}, "2", Flow::kEnd, 1},
      {"identical, go on", {{"a.txt", "x\r\n"}, {"b.txt", "x\r\n"}}, "91", Flow::kGoOn, 1},
      {"opening lines only", {{"a.txt", "x\r\n"}, {"b.txt", "x\r\ny\r\n"}}, "", Flow::kGoOn, 0},
      {"both empty", {{"a.txt", ""}, {"b.txt", ""}}, "1", Flow::kGoOn, 1},
      {"three alike", {{"a.txt", "x"}, {"b.txt", "x"}, {"c.txt", "x"}}, "111", Flow::kGoOn, 3},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    SetUp();
    for (const auto& [name, text] : c.files) write_file("txt_in/" + name, text);
    EXPECT_EQ(make_copies("\n" + c.keys), c.want) << c.what;
    EXPECT_EQ(testing::count_of(output_, "----- duplicate files -----"), static_cast<std::size_t>(c.screens))
        << c.what << output_;
  }
}

// Notepad saves "UTF-8 with BOM" and "Unicode" (UTF-16); the working copies
// are plain UTF-8, the texts in txt_in stay as the user saved them.
TEST_F(WorkingCopiesTest, CopiesAreUtf8WithoutAMark) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string copy_name;
    std::string copy;
    bool said;  // the console says it was converted
  } cases[] = {
      {"plain.txt", "Harbour\r\nquay\xEF\xBB\xBF\r\n", "plain.txt", "Harbour\r\nquay\xEF\xBB\xBF\r\n", false},
      {"marked.txt", "\xEF\xBB\xBFHarbour\r\n", "marked.txt", "Harbour\r\n", false},
      {"le.txt", std::string("\xFF\xFEH\0\xE4\0\r\0\n\0", 10), "le.txt", "H\xC3\xA4\r\n", true},
      {"be lf.txt", std::string("\xFE\xFF\0H\0\n\xD8\x3D", 8), "be_lf.txt", "H\n\xEF\xBF\xBD", true},
      {"wide.txt", std::string("\xFF\xFE\0\0H\0\0\0", 8), "wide.txt", std::string("\xFF\xFE\0\0H\0\0\0", 8), false},
  };
  for (const Case& c : cases) write_file(std::string("txt_in/") + c.name, c.bytes);
  ASSERT_EQ(make_copies("\n"), Flow::kGoOn);
  for (const Case& c : cases) {
    EXPECT_EQ(read_file("txt_wrk/" + c.copy_name), c.copy) << c.name;
    EXPECT_EQ(read_file(std::string("txt_in/") + c.name), c.bytes) << c.name;
    EXPECT_EQ(testing::count_of(output_, "Converted from UTF-16 to UTF-8: " + std::string(c.name) + "\n"),
              c.said ? 1U : 0U)
        << c.name << output_;
  }
  EXPECT_TRUE(testing::ends_with(output_,
                                 "=? \n\n"
                                 "Converted from UTF-16 to UTF-8: be lf.txt\n"
                                 "Converted from UTF-16 to UTF-8: le.txt\n"))
      << output_;
  EXPECT_EQ(read_file("txt_wrk.list"), testing::crlf({"be_lf.txt", "le.txt", "marked.txt", "plain.txt", "wide.txt"}));
}

TEST_F(WorkingCopiesTest, AConvertedTextIsADuplicateOfItsUtf8Twin) {
  write_file("txt_in/a.txt", "Harbour\r\n");
  write_file("txt_in/b.txt", std::string("\xFF\xFEH\0a\0r\0b\0o\0u\0r\0\r\0\n\0", 20));
  ASSERT_EQ(make_copies("\n2"), Flow::kEnd);
  EXPECT_EQ(testing::count_of(output_, "----- duplicate files -----"), 1U) << output_;
}

TEST_F(WorkingCopiesTest, DuplicateScreen) {
  write_file("txt_in/a.txt", "same\r\n");
  write_file("txt_in/b.txt", "same\r\n");
  ASSERT_EQ(make_copies("\n2"), Flow::kEnd);
  const std::string screen =
      "\n"
      "----- duplicate files -----\n"
      "a.txt\n"
      "b.txt\n"
      "\n"
      "<1> continue\n"
      "<2> end\n";
  EXPECT_TRUE(testing::ends_with(output_, screen)) << output_;
  // Both working copies stay.
  EXPECT_EQ(list_names("txt_wrk"), (std::vector<std::string>{"a.txt", "b.txt"}));
}

}  // namespace
}  // namespace textpair
