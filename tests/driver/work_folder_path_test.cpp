#include "driver/work_folder_path.h"

#include <gtest/gtest.h>

#include <string>

#include "test_util/piped_console.h"

namespace textpair {
namespace {

using testing::PipedConsole;

// The longest file of the run is the folder, "\" and the 28 characters of
// "oglasi_wget\oglasi_wget.html".
TEST(WorkFolderPath, StopsOnlyWhenTheLongestFileWouldNotFit) {
  const std::string fits(259 - 29, 'a');  // C:\aaa... exactly at the limit
  struct Case {
    const char* what;
    std::string folder;
    std::size_t limit;
    bool ends;
  } cases[] = {
      {"no limit", "C:\\" + std::string(1000, 'x'), 0, false},
      {"short folder", "C:\\work\\textpair", 259, false},
      {"at the limit", fits, 259, false},
      {"one over", fits + "b", 259, true},
      // Counted in UTF-16 units, as the system counts: a two-byte letter is one.
      {"letters beyond ASCII", std::string(fits.size() - 2, 'a') + "\xC3\xBC\xC3\xBC", 259, false},
      {"a character beyond the BMP is two", std::string(fits.size() - 1, 'a') + "\xF0\x9F\x98\x80", 259, true},
  };
  for (const Case& c : cases) {
    PipedConsole console("x");
    EXPECT_EQ(check_work_folder_path(console, c.folder, c.limit), c.ends ? Flow::kEnd : Flow::kGoOn) << c.what;
    EXPECT_EQ(console.output().empty(), !c.ends) << c.what;
  }
}

TEST(WorkFolderPath, ScreenNamesTheFolderAndTheLimit) {
  const std::string folder = "C:\\Users\\ana\\OneDrive\\" + std::string(240, 'd');
  PipedConsole console("x");
  ASSERT_EQ(check_work_folder_path(console, folder, 259), Flow::kEnd);
  EXPECT_EQ(console.output(),
            "----------------------------\n"
            "The path of the work folder is too long:\n" +
                folder +
                "\n"
                "Its files need paths of up to 291 characters; Windows takes 259.\n"
                "Move the program to a folder with a shorter path, or turn on long paths in Windows.\n"
                "\n"
                "<...> any key to continue and end\n");
}

}  // namespace
}  // namespace textpair
