// A file of yes/no flags, one for each record of a record list and in its
// order, so that a later step can read them in step with the list instead of
// working them out again. Flags are the characters '1' and '0', up to
// kFlagsPerLine of them on a line.
#ifndef TEXTPAIR_COMMON_FLAG_FILE_H_
#define TEXTPAIR_COMMON_FLAG_FILE_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "common/io_failures.h"
#include "common/lines.h"

namespace textpair {

inline constexpr std::size_t kFlagsPerLine = 1024;

class FlagWriter {
 public:
  bool create(const std::string& name) { return out_.create(name); }
  void add(bool flag) {
    line_ += flag ? '1' : '0';
    if (line_.size() == kFlagsPerLine) {
      out_.line(line_);
      line_.clear();
    }
  }
  // Writes the last flags; short when the file could not be written completely.
  IoResult close();

 private:
  LineWriter out_;
  std::string line_;
};

class FlagReader {
 public:
  // False when the file cannot be opened.
  bool open(const std::string& name) { return in_.open(name); }
  // The same, noting a failed read in `failures`; whether a file that
  // cannot be opened is a failure is the caller's to judge (status()).
  bool open(const std::string& name, IoFailures& failures) {
    if (!in_.open(name)) return false;
    in_.report_to(failures);
    return true;
  }
  const IoResult& status() const { return in_.status(); }
  // The next flag; false when none is left (or the file holds another byte).
  bool next(bool& flag);
  void close() { in_.close(); }

 private:
  LineReader in_;
  std::string_view line_;
  std::size_t at_ = 0;
};

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_FLAG_FILE_H_
