// Test helpers for phases that read record files and talk to the console:
// record files written by hand, a console on files, CR LF line splitting.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_SITE_FILES_H_
#define TEXTPAIR_TESTS_TEST_UTIL_SITE_FILES_H_

#include <string>
#include <vector>

namespace textpair {
class Console;
}

namespace textpair::testing {

// One record per row, every field quoted, CR LF after each.
std::string records(const std::vector<std::vector<std::string>>& rows);

// The lines of a CR LF file (fails the test on a bare LF).
std::vector<std::string> split_crlf(const std::string& text);

// Blanks on the left up to `width` characters.
std::string field(long long number, int width);

// A console whose input is `keys` and whose output is gathered in a file.
class CapturedConsole {
 public:
  explicit CapturedConsole(const std::string& keys = "");
  ~CapturedConsole();
  Console& console() { return *console_; }
  std::string output() const;

 private:
  int in_fd_ = -1, out_fd_ = -1;
  std::string out_path_;
  Console* console_ = nullptr;
};

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_SITE_FILES_H_
