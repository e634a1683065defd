#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/file_names.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::make_dir;
using testing::write_file;

class FilesTest : public testing::WorkFolderTest {};

TEST_F(FilesTest, SameFileByIdentityNotByName) {
  write_file("a.txt", "same");
  write_file("b.txt", "same");
  make_dir("sub");
  std::filesystem::create_hard_link("a.txt", "sub/link.txt");
  struct Case {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"a.txt", "a.txt", true},        {"a.txt", "sub/link.txt", true},  // another name of the same file
      {"a.txt", "b.txt", false},                                         // the same bytes, another file
      {"a.txt", "missing.txt", false}, {"missing.txt", "missing.txt", false},
      {"sub", "sub/../sub", true},     {"", ".", true},
#ifdef _WIN32
      {"a.txt", "A.TXT", true},
#else
      {"a.txt", "A.TXT", false},
#endif
  };
  for (const Case& c : cases) EXPECT_EQ(same_file(c.a, c.b), c.same) << c.a << " " << c.b;
}

// Entries the system marks hidden or system carry the mark, in a listing
// and on their own; a dot file is hidden on POSIX by its name alone.
TEST_F(FilesTest, HiddenAndSystemEntriesAreMarked) {
  struct Case {
    const char* name;
    bool hide;
    bool system;
    bool folder;
  } cases[] = {
      {"plain.txt", false, false, false}, {".dot.txt", true, false, false},   {".hold", true, false, true},
#ifdef _WIN32
      {"~$lock.txt", true, false, false}, {"desktop.ini", true, true, false}, {"folder", true, false, true},
#endif
  };
  for (const Case& c : cases) {
    if (c.folder) {
      make_dir(c.name);
    } else {
      write_file(c.name, "x");
    }
    if (c.hide) testing::mark_hidden(c.name, c.system);
  }
  for (const Case& c : cases) {
    DirEntry entry;
    ASSERT_TRUE(entry_info(c.name, entry)) << c.name;
    EXPECT_EQ(entry.hidden, c.hide) << c.name;
    EXPECT_EQ(entry.is_dir, c.folder) << c.name;
    bool listed = false;
    std::vector<DirEntry> entries;
    ASSERT_TRUE(list_dir("", entries));
    for (const DirEntry& e : entries) {
      if (e.name != c.name) continue;
      listed = true;
      EXPECT_EQ(e.hidden, c.hide) << c.name;
    }
    EXPECT_TRUE(listed) << c.name;
  }
  // The work folder itself, named "." or "", is no hidden entry.
  DirEntry here;
  ASSERT_TRUE(entry_info(".", here));
  EXPECT_FALSE(here.hidden);
}

// Paths past what the plain form takes on Windows (MAX_PATH) go through
// every call: folders, files, listings, copies, renames and deletes.
TEST_F(FilesTest, LongPathsWorkEverywhere) {
  std::string deep;
  for (int i = 0; i < 6; ++i) {
    deep = join_path(deep, std::string(45, static_cast<char>('a' + i)));
    ASSERT_TRUE(make_directory(deep)) << deep.size();
  }
  ASSERT_GT(deep.size(), 270u);
  // Shown as the interpreter shows it, without the long form.
  const std::string shown = shown_path(deep);
  EXPECT_EQ(shown.find("\\\\?\\"), std::string::npos) << shown;
  EXPECT_TRUE(shown.ends_with(std::string(45, 'f'))) << shown;
  const std::string file = join_path(deep, "page_01.htm");
  File out(file, File::Mode::kCreate);
  ASSERT_TRUE(out.write("page") && out.close());
  std::string bytes;
  ASSERT_TRUE(read_whole_file(file, bytes));
  EXPECT_EQ(bytes, "page");
  EXPECT_TRUE(is_regular_file(file));
  const std::string copy = join_path(deep, "copy.htm");
  ASSERT_TRUE(copy_file(file, copy));
  ASSERT_TRUE(append_file(file, copy));
  ASSERT_TRUE(read_whole_file(copy, bytes));
  EXPECT_EQ(bytes, "pagepage");
  const std::string moved = join_path(deep, "moved.htm");
  ASSERT_TRUE(rename_path(copy, moved));
  EXPECT_FALSE(same_file(file, moved));
  EXPECT_TRUE(same_file(moved, moved));
  std::vector<std::string> names;
  std::vector<DirEntry> entries;
  ASSERT_TRUE(list_dir(deep, entries));
  for (const DirEntry& e : entries) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"moved.htm", "page_01.htm"}));
  DirEntry entry;
  ASSERT_TRUE(entry_info(moved, entry));
  EXPECT_EQ(entry.size, 8u);
  EXPECT_TRUE(remove_file(moved));
  EXPECT_TRUE(remove_file(file));
  for (std::string folder = deep; !folder.empty(); folder = parent_path(folder)) {
    EXPECT_TRUE(remove_directory(folder)) << folder.size();
  }
  ASSERT_TRUE(list_dir("", entries));
  EXPECT_TRUE(entries.empty());
}

}  // namespace
}  // namespace textpair
