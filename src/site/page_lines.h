// A page read line by line for rewriting, in bounded memory: a line of up to
// `held` bytes is handed whole; a longer one (a one-line text of many
// megabytes) is looked through and copied in pieces. Lines end as LineReader
// ends them (see lines.h).
#ifndef TEXTPAIR_SITE_PAGE_LINES_H_
#define TEXTPAIR_SITE_PAGE_LINES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/lines.h"
#include "platform/file_io.h"

namespace textpair {

class PageLines {
 public:
  explicit PageLines(std::size_t held) : held_(held < 16 ? 16 : held) {}

  // False when the file cannot be opened; it then has no lines.
  bool open(const std::string& name);
  // Success, or the failed open or read that ended the lines early.
  const IoResult& status() const { return file_.status(); }
  void close();
  // The next line; false at the end of the file (the line is then empty).
  bool next();
  // Whether the current line is held whole; line() is then the line.
  bool whole() const { return whole_; }
  std::string_view line() const { return line_; }
  // The 0-based place of the first `needle` (in any ASCII case) in the
  // current line, npos when there is none; `before` gets the byte before it
  // (0 at the line's start).
  std::size_t find_nocase(std::string_view needle, char& before);
  // Writes bytes a..b (1-based, inclusive, clipped to the line) of the
  // current line. On a long line the calls go forward: each starts after
  // the one before ended.
  void copy(std::size_t a, std::size_t b, LineWriter& out);

 private:
  // Up to `size` bytes of the file from `offset`; fewer at its end.
  std::size_t read_at(std::uint64_t offset, char* into, std::size_t size);
  void find_long_line_end();

  std::size_t held_;
  File file_;
  std::uint64_t read_at_ = 0;  // where the file stands
  std::vector<char> buf_;      // the file from buf_at_ on, len_ bytes of it
  std::uint64_t buf_at_ = 0;
  std::size_t len_ = 0;
  std::uint64_t next_ = 0;  // where the next line starts
  // The current line: held whole, or placed in the file.
  bool whole_ = true;
  std::string_view line_;
  std::uint64_t line_at_ = 0;
  std::uint64_t line_size_ = 0;
  // A long line's piece last read for copying.
  std::vector<char> piece_;
  std::uint64_t piece_at_ = 0;
  std::size_t piece_len_ = 0;
};

}  // namespace textpair

#endif  // TEXTPAIR_SITE_PAGE_LINES_H_
