#include "commands/file_match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "commands/command_fixture.h"

namespace textpair {
namespace {

using testing::lf;
using testing::list_names;
using testing::make_dir;
using testing::write_file;

// Files the system marks hidden or system: a dot file (hidden on POSIX by
// its name), and on Windows Word's lock file and a folder's desktop.ini.
struct HiddenFile {
  const char* name;
  bool system;
};
#ifdef _WIN32
constexpr HiddenFile kHidden[] = {{".h.txt", false}, {"~$a.txt", false}, {"desktop.ini", true}};
#else
constexpr HiddenFile kHidden[] = {{".h.txt", false}, {".~lock.a.txt#", false}};
#endif

class HiddenFilesTest : public testing::CommandTest {
 protected:
  static void lay_out() {
    make_dir("sub");
    write_file("a.txt", "a");
    for (const HiddenFile& h : kHidden) {
      write_file(h.name, "hidden");
      testing::mark_hidden(h.name, h.system);
    }
  }
  // The work folder's names with the hidden ones and the given visible ones.
  static std::vector<std::string> with_hidden(std::vector<std::string> visible) {
    for (const HiddenFile& h : kHidden) visible.push_back(h.name);
    std::sort(visible.begin(), visible.end());
    return visible;
  }
};

// dir, copy, del and for pass over hidden and system files, named or
// matched; dir and del take them in with /a.
TEST_F(HiddenFilesTest, CommandsPassOverThemUnlessAskedForAll) {
  const std::string first_hidden = kHidden[0].name;
  struct Case {
    std::string line;
    std::optional<std::string> out;  // none: not compared
    std::optional<std::string> errors;
    std::vector<std::string> left;      // the work folder afterwards
    std::vector<std::string> left_sub;  // sub afterwards
  } cases[] = {
      {"dir /b", "a.txt\nsub\n", "", with_hidden({"a.txt", "sub"}), {}},
      {"dir /b " + first_hidden, "", "File Not Found\n", with_hidden({"a.txt", "sub"}), {}},
      {"dir /b /a " + first_hidden, first_hidden + "\n", "", with_hidden({"a.txt", "sub"}), {}},
      {"del /q *.*", "", "", with_hidden({"sub"}), {}},
      {"del /q " + first_hidden, "", std::nullopt, with_hidden({"a.txt", "sub"}), {}},
      {"del /q /a *.*", "", "", {"sub"}, {}},
      {"copy *.* sub", std::nullopt, "", with_hidden({"a.txt", "sub"}), {"a.txt"}},
      {"copy " + first_hidden + " sub",
       std::nullopt,
       "The system cannot find the file specified.\n",
       with_hidden({"a.txt", "sub"}),
       {}},
      {"for %i in (*.*) do del /q %i", "", "", with_hidden({"sub"}), {}},
  };
  for (const Case& c : cases) {
    testing::WorkFolder folder;
    lay_out();
    std::string out = run(c.line);
    if (c.out) {
      EXPECT_EQ(out, *c.out) << c.line;
    }
    if (c.errors) {
      EXPECT_EQ(errors_, *c.errors) << c.line;
    }
    EXPECT_EQ(list_names(), c.left) << c.line;
    EXPECT_EQ(list_names("sub"), c.left_sub) << c.line;
  }
}

// With /a a bare listing names every entry, hidden ones among them.
TEST_F(HiddenFilesTest, DirWithAllListsEveryEntry) {
  lay_out();
  std::string out = run("dir /b /a");
  EXPECT_EQ(errors_, "");
  for (const std::string& name : with_hidden({"a.txt", "sub"})) {
    EXPECT_NE(out.find(name + "\n"), std::string::npos) << name << "\n" << out;
  }
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), static_cast<long>(std::size(kHidden) + 2));
}

}  // namespace
}  // namespace textpair
