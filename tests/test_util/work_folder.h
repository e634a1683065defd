// Test helpers: a fresh temporary work folder that becomes the current
// directory for one test, and small file helpers.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_WORK_FOLDER_H_
#define TEXTPAIR_TESTS_TEST_UTIL_WORK_FOLDER_H_

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// A test that has no meaning on Windows stops there with its reason.
#ifdef _WIN32
#define SKIP_ON_WINDOWS(reason) GTEST_SKIP() << reason
#else
#define SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif

namespace textpair::testing {

// Makes a new empty folder under the system's temp folder and changes into
// it; changes back and removes it afterwards.
class WorkFolder {
 public:
  WorkFolder();
  ~WorkFolder();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

// Test fixture with a work folder.
class WorkFolderTest : public ::testing::Test {
 protected:
  WorkFolder folder_;
};

// A path under the system's temp folder that nothing uses yet, its last
// component beginning with `stem`.
std::string unused_temp_path(const std::string& stem);

// Paths use "/" and are relative to the current directory; names are UTF-8
// on every platform.
void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
void make_dir(const std::string& path);
// Marks a file hidden, and system too when asked, where the system has such
// marks (Windows); on POSIX a hidden file's name begins with a dot instead.
void mark_hidden(const std::string& path, bool system = false);
// Sorted names of the entries of a folder.
std::vector<std::string> list_names(const std::string& dir = ".");
// Sets (a value) or removes (none) a variable of the test's own environment,
// which the programs it starts inherit.
void set_environment(const std::string& name, const std::optional<std::string>& value);
// Joins lines with CR LF after each.
std::string crlf(const std::vector<std::string>& lines);

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_WORK_FOLDER_H_
