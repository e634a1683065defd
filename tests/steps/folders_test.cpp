#include "steps/folders.h"

#include <gtest/gtest.h>

#include "test_util/piped_console.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::file_exists;
using testing::list_names;
using testing::make_dir;
using testing::write_file;

class FoldersTest : public testing::WorkFolderTest {};

TEST_F(FoldersTest, ListingHoldsAFolderInAnyCase) {
  write_file("dir_01.txt", crlf({"compare_in", "HTM_OUT", "txt_wrk"}));
  IoFailures failures;
  EXPECT_TRUE(listing_holds_folder("dir_01.txt", "htm_out", failures));
  EXPECT_TRUE(listing_holds_folder("dir_01.txt", "txt_wrk", failures));
  EXPECT_FALSE(listing_holds_folder("dir_01.txt", "htm_in", failures));
  EXPECT_FALSE(failures.any());
  // A listing that cannot be read says nothing about the folders: noted.
  EXPECT_FALSE(listing_holds_folder("missing.txt", "txt_wrk", failures));
  EXPECT_TRUE(failures.any());
}

// Each way a step resets a folder: what stays in it, whether it is there
// afterwards, and what the console shows.
TEST_F(FoldersTest, ResetEmptiesAListedFolderOrMakesAMissingOne) {
  struct Case {
    const char* name;
    bool there;
    std::vector<std::string> files;  // in the folder before
    const char* pattern;             // what emptying deletes
    bool list_into_first;
    bool make_when_missing;
    bool there_after;
    std::vector<std::string> left;
    bool complaint;  // "Could Not Find" on the console
  } cases[] = {
      {"listed", true, {"a.txt", "b.htm"}, "*.*", true, true, true, {}, false},
      {"listed and empty", true, {}, "*.*", true, true, true, {}, false},
      {"missing", false, {}, "*.*", true, true, true, {}, false},
      {"narrower pattern", true, {"a.txt", "b.htm"}, "*.txt", true, true, true, {"b.htm"}, false},
      {"no listing first", true, {"a.txt"}, "*.*", false, true, true, {}, false},
      {"no listing first, empty", true, {}, "*.*", false, true, true, {}, true},
      {"missing, not made", false, {}, "*.*", true, false, false, {}, false},
  };
  for (const Case& c : cases) {
    testing::WorkFolder work;
    if (c.there) make_dir("box");
    for (const std::string& f : c.files) write_file("box/" + f, "x");
    testing::PipedConsole console;
    IoFailures failures;
    reset_folder(console, failures,
                 {.folder = "box",
                  .listing = "l.txt",
                  .files = c.pattern,
                  .list_into_first = c.list_into_first,
                  .make_when_missing = c.make_when_missing});
    EXPECT_EQ(file_exists("box"), c.there_after) << c.name;
    if (c.there_after) {
      EXPECT_EQ(list_names("box"), c.left) << c.name;
    }
    EXPECT_EQ(console.output().find("Could Not Find") != std::string::npos, c.complaint) << c.name;
    EXPECT_TRUE(file_exists("l.txt")) << c.name;
    EXPECT_FALSE(failures.any()) << c.name;
  }
}

}  // namespace
}  // namespace textpair
