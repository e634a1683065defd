// Reading and writing text files line by line, as every phase does.
// A line ends at LF; a CR right before the LF is dropped; a last line
// without LF is still a line; an empty file has no lines. Written lines end
// with CR LF. Names are given the way the program writes them ("txt_wrk\a.txt")
// and are resolved with the platform's file-name rules.
#ifndef TEXTPAIR_COMMON_LINES_H_
#define TEXTPAIR_COMMON_LINES_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/io_failures.h"
#include "platform/file_io.h"

namespace textpair {

// The pieces in which the readers of text and page lines take a line
// (LineReader::next_piece): a longer line is never held whole.
inline constexpr std::size_t kLinePieceBytes = std::size_t{1} << 20;

// A failed open or a read error ends the lines as the end of the file
// does; status() tells them apart, and a reader given the run's failure
// record notes them there as they happen.
class LineReader {
 public:
  LineReader() = default;
  explicit LineReader(const std::string& name) { open(name); }
  LineReader(const std::string& name, IoFailures& failures) : failures_(&failures) { open(name); }
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // False when the file cannot be opened; the reader then has no lines.
  bool open(const std::string& name);
  // Notes the reader's failures in `failures` from now on.
  void report_to(IoFailures& failures) { failures_ = &failures; }
  bool is_open() const { return file_.is_open(); }
  // Success, or the failed open or read that ended the lines early.
  const IoResult& status() const { return file_.status(); }
  // The next line without its line end; false at the end of the file (or
  // at a failure, see status()).
  bool next(std::string& line);
  // The same without a copy: the view holds until the next call.
  bool next(std::string_view& line);
  // The next line in pieces of at most `most` bytes (2 or more), for the
  // readers of text and page lines, which may be megabytes long: the buffer
  // then holds no more than about `most` bytes, whatever the line's length.
  // `ends` tells whether the piece is the last of its line; a line of up
  // to `most` bytes comes in one piece, as next() hands it. Lines end as
  // next() ends them. The view holds until the next call. Not to be mixed
  // with keep_previous().
  bool next_piece(std::string_view& piece, bool& ends, std::size_t most);
  // Keeps the line handed out before the current one readable through
  // previous(), for a reader that compares each line with the one before.
  void keep_previous() { keep_previous_ = true; }
  // With keep_previous(): the line handed out before the last one (empty
  // before the second line); the view holds until the next call of next().
  std::string_view previous() const { return {buf_.data() + prev_at_, prev_size_}; }
  // True when no line is left to read.
  bool at_end();
  // Back to the first line.
  void rewind();
  void close();

 private:
  bool fill();
  void report() {
    if (failures_ != nullptr) failures_->note_read(file_.status());
  }
  // Notes the line handed out at `at`, of `size` bytes.
  void handed_out(std::size_t at, std::size_t size) {
    prev_at_ = line_at_;
    prev_size_ = line_size_;
    line_at_ = at;
    line_size_ = size;
  }
  File file_;
  IoFailures* failures_ = nullptr;
  std::vector<char> buf_;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  bool eof_ = false;
  bool keep_previous_ = false;
  std::size_t line_at_ = 0, line_size_ = 0;  // the line handed out last (with keep_previous_)
  std::size_t prev_at_ = 0, prev_size_ = 0;  // and the one before it
};

class LineWriter {
 public:
  LineWriter();
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Creates (or empties) the file.
  bool create(const std::string& name);
  // The same, with the file's writes made beside the caller, on another
  // core (side_task.h): the bytes are handed over in batches. ok() then
  // tells of the create alone; close() waits for the writes and tells all.
  bool create_beside(const std::string& name);
  // Opens the file for appending, creating it when missing.
  bool append(const std::string& name);
  bool is_open() const { return file_.is_open(); }
  // Writes the bytes and CR LF.
  void line(std::string_view text);
  // Writes bytes as they are.
  void raw(std::string_view bytes);
  // False when the file could not be made or a write failed since (disk
  // full, ...).
  bool ok() const { return beside_ != nullptr || !file_.failed(); }
  // Closes the file; a failure when the file could not be made or any write
  // or the close failed.
  IoResult close();

 private:
  bool open_mode(const std::string& name, File::Mode mode);
  File file_;
  struct Beside;
  std::unique_ptr<Beside> beside_;
};

// Writes a line that comes in pieces without its leading and trailing
// blanks (' '), as blanks_trimmed would cut the whole line: the blanks at a
// piece's end are held back, as a count, until text follows them.
class BlankTrimmer {
 public:
  void piece(std::string_view bytes, LineWriter& out);
  // The line's end: the blanks held back are dropped, CR LF written.
  void end_line(LineWriter& out);

 private:
  bool text_ = false;     // text of the line written
  std::size_t held_ = 0;  // blanks after it, not yet written
};

// Whole-file helpers for small list files; a file that cannot be read is
// noted in `failures` and gives what was read of it.
std::vector<std::string> read_all_lines(const std::string& name, IoFailures& failures);
// Number of lines, as LineReader reads them, counted in blocks.
long long count_lines(const std::string& name, IoFailures& failures);
// Number of lines that still hold text after their leading blanks are
// removed; a missing file has none (a command that could not run leaves none).
int count_nonblank_lines(const std::string& name);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_LINES_H_
