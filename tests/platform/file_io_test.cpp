#include "platform/file_io.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::read_file;
using testing::write_file;

class FileIoTest : public testing::WorkFolderTest {};

TEST_F(FileIoTest, ModesCreateEmptyAppendAndRefuseTakenNames) {
  write_file("old.txt", "old");
  struct Case {
    File::Mode mode;
    bool opens;
    const char* left;  // in old.txt after writing "new"
  } cases[] = {
      {File::Mode::kCreate, true, "new"},
      {File::Mode::kAppend, true, "oldnew"},
      {File::Mode::kCreateNew, false, "old"},
  };
  for (const Case& c : cases) {
    write_file("old.txt", "old");
    File f("old.txt", c.mode);
    EXPECT_EQ(f.is_open(), c.opens);
    f.write("new");
    EXPECT_EQ(f.close().ok(), c.opens);
    EXPECT_EQ(read_file("old.txt"), c.left);
  }
  File fresh("fresh.txt", File::Mode::kCreateNew);
  EXPECT_TRUE(fresh.write("x") && fresh.close());
  EXPECT_EQ(read_file("fresh.txt"), "x");
}

TEST_F(FileIoTest, ReadsLargeWritesBackWholeRewindsAndSeeks) {
  std::string big(300000, 'a');
  for (std::size_t i = 0; i < big.size(); i += 7) big[i] = static_cast<char>('0' + i % 10);
  File out("big.txt", File::Mode::kCreate);
  for (std::size_t at = 0; at < big.size(); at += 1000) out.write(std::string_view(big).substr(at, 1000));
  ASSERT_TRUE(out.close());
  std::string back;
  ASSERT_TRUE(read_whole_file("big.txt", back));
  EXPECT_EQ(back, big);

  File in("big.txt", File::Mode::kRead);
  char first[4];
  ASSERT_EQ(in.read(first, 4), 4u);
  ASSERT_TRUE(in.rewind());
  char again[4];
  ASSERT_EQ(in.read(again, 4), 4u);
  EXPECT_EQ(std::string(first, 4), std::string(again, 4));
  for (std::size_t at : {std::size_t{299990}, std::size_t{7}, std::size_t{140000}}) {
    ASSERT_TRUE(in.seek(at)) << at;
    ASSERT_EQ(in.read(again, 4), 4u) << at;
    EXPECT_EQ(std::string(again, 4), big.substr(at, 4)) << at;
  }
  ASSERT_TRUE(in.seek(big.size()));
  EXPECT_EQ(in.read(again, 4), 0u);  // at the end
}

TEST_F(FileIoTest, CopyReplacesAndAppendAddsAtTheEnd) {
  write_file("a.txt", "first\r\n");
  write_file("b.txt", std::string(100000, 'b'));
  struct Case {
    const char* what;
    bool append;
    const char* from;
    std::string before;  // in the target, when it exists
    bool exists;
    bool ok;
    std::string after;
  } cases[] = {
      {"copy over a longer file", false, "a.txt", "old and longer", true, true, "first\r\n"},
      {"copy to a new file", false, "a.txt", "", false, true, "first\r\n"},
      {"append to a file", true, "b.txt", "first\r\n", true, true, "first\r\n" + std::string(100000, 'b')},
      {"append makes a missing file", true, "a.txt", "", false, true, "first\r\n"},
      {"append of a missing source", true, "none.txt", "kept", true, false, "kept"},
  };
  for (const Case& c : cases) {
    std::remove("to.txt");
    if (c.exists) write_file("to.txt", c.before);
    const bool ok = (c.append ? append_file(c.from, "to.txt") : copy_file(c.from, "to.txt")).ok();
    EXPECT_EQ(ok, c.ok) << c.what;
    EXPECT_EQ(read_file("to.txt"), c.after) << c.what;
  }
}

TEST_F(FileIoTest, MissingFileAndFolderFail) {
  File in("missing.txt", File::Mode::kRead);
  EXPECT_FALSE(in.is_open());
  File out("no_folder/x.txt", File::Mode::kCreate);
  EXPECT_FALSE(out.write("x"));
  EXPECT_FALSE(out.close());
}

// A rename replaces an existing file, and a rename that cannot be done
// leaves the target as it was.
TEST_F(FileIoTest, RenameReplacesOnlyWhenItCan) {
  struct Case {
    const char* what;
    const char* from;
    bool ok;
    std::string target_after;
  } cases[] = {
      {"a file over a file", "a.txt", true, "a"},
      {"a missing file", "none.txt", false, "b"},
#ifndef _WIN32
      // Wine moves a folder onto a file; POSIX refuses.
      {"a folder over a file", "folder", false, "b"},
#endif
  };
  testing::make_dir("folder");
  for (const Case& c : cases) {
    write_file("a.txt", "a");
    write_file("b.txt", "b");
    const bool source_there = path_exists(c.from);
    EXPECT_EQ(rename_path(c.from, "b.txt").ok(), c.ok) << c.what;
    EXPECT_EQ(read_file("b.txt"), c.target_after) << c.what;
    EXPECT_EQ(path_exists(c.from), source_there && !c.ok) << c.what;
  }
  // Onto itself: nothing changes.
  EXPECT_TRUE(rename_path("b.txt", "b.txt"));
  EXPECT_EQ(read_file("b.txt"), "b");
}

#ifndef _WIN32
// Only regular files are opened for reading, and the open never waits: a
// FIFO without a writer, a device or a folder is refused, as by a copy.
TEST_F(FileIoTest, ReadsOnlyRegularFiles) {
  ASSERT_EQ(mkfifo("pipe.txt", 0644), 0);
  testing::make_dir("folder");
  write_file("plain.txt", "plain");
  ASSERT_EQ(symlink("plain.txt", "link.txt"), 0);
  struct Case {
    const char* name;
    bool opens;
  } cases[] = {
      {"plain.txt", true}, {"link.txt", true}, {"pipe.txt", false}, {"/dev/null", false}, {"folder", false},
  };
  for (const Case& c : cases) {
    File in(c.name, File::Mode::kRead);
    EXPECT_EQ(in.is_open(), c.opens) << c.name;
    EXPECT_EQ(copy_file(c.name, "copy.txt").ok(), c.opens) << c.name;
  }
  EXPECT_EQ(read_file("copy.txt"), "plain");
}
#endif

// A target that is no regular file is refused at once, by every writer: a
// FIFO without a reader would wait forever, a device take the bytes away.
TEST_F(FileIoTest, WritesOnlyRegularFiles) {
  write_file("plain.txt", "plain");
  testing::make_dir("folder");
#ifdef _WIN32
  const std::vector<std::string> targets = {"nul", "folder"};
#else
  ASSERT_EQ(mkfifo("pipe.txt", 0644), 0);
  const std::vector<std::string> targets = {"pipe.txt", "/dev/null", "folder"};
#endif
  for (const std::string& target : targets) {
    for (File::Mode mode : {File::Mode::kCreate, File::Mode::kAppend}) {
      File out(target, mode);
      EXPECT_FALSE(out.is_open()) << target;
      EXPECT_FALSE(out.close()) << target;
    }
    EXPECT_FALSE(copy_file("plain.txt", target)) << target;
    EXPECT_FALSE(append_file("plain.txt", target)) << target;
  }
  EXPECT_TRUE(copy_file("plain.txt", "copy.txt"));
  EXPECT_EQ(read_file("copy.txt"), "plain");
}

}  // namespace
}  // namespace textpair
