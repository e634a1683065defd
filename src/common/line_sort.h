// The building blocks of the external sort (external_sort.h): a run of
// lines sorted in memory and the merge of sorted files. Lines are compared
// as unsigned bytes, a line that is a prefix of another comes first; no
// case folding, no locale. Lines are read the way LineReader reads them and
// written with CR LF.
#ifndef TEXTPAIR_COMMON_LINE_SORT_H_
#define TEXTPAIR_COMMON_LINE_SORT_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/lines.h"
#include "platform/file_io.h"

namespace textpair {

// A run of lines held in one buffer and sorted there, eight bytes at a time
// as one number, from the end of the prefix all lines of the run share.
// Sorting may take one more Line per held line.
class LineRun {
 public:
  struct Line {
    std::uint64_t key;
    std::size_t offset;
    std::size_t length;
  };
  // Bookkeeping bytes per held line, counted against the budget.
  static constexpr std::size_t kLineCost = sizeof(Line);

  // Empties the run, then reads lines until they hold `budget` bytes (line
  // bytes plus kLineCost each; a single longer line is still held whole)
  // or the input ends. False when no line was left.
  bool fill(LineReader& reader, std::size_t budget);
  // Adds one line; `held()` counts it against a budget like fill() does.
  void add(std::string_view line) {
    lines_.push_back({0, bytes_.size(), line.size()});
    bytes_.append(line);
    held_ += line.size() + kLineCost;
  }
  std::size_t held() const { return held_; }
  // Empties the run, keeping its memory for the next lines.
  void clear() {
    bytes_.clear();
    lines_.clear();
    held_ = 0;
  }
  void sort();
  // Hands each line to `each`, in the run's order.
  template <typename Each>
  void each(Each&& each) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) each(at(i));
  }
  // Writes the lines without their first `drop` bytes, each followed by
  // CR LF, and closes the file; false when a write or the close failed,
  // which the file then holds.
  bool write(File& f, std::size_t drop = 0) const;
  std::size_t size() const { return lines_.size(); }

 private:
  std::string_view at(std::size_t i) const { return {bytes_.data() + lines_[i].offset, lines_[i].length}; }
  std::string bytes_;
  std::vector<Line> lines_;
  std::vector<Line> scratch_;  // lines being sorted by counting
  std::size_t held_ = 0;
};

// Reads sorted files as one sorted sequence, through a heap of their head
// lines. Each source is checked for order as it is read, which is what puts
// the merged lines in order.
class LineMerge {
 public:
  LineMerge();
  ~LineMerge();
  LineMerge(const LineMerge&) = delete;
  LineMerge& operator=(const LineMerge&) = delete;

  // False when a source cannot be opened. The sources note their failed
  // opens and reads in `failures`: a source that fails ends early.
  bool open(const std::vector<std::string>& sources, IoFailures& failures);
  // The next line in order; the view holds until the next call. False at
  // the end.
  bool next(std::string_view& line);
  // False once a source gave a line less than the one before it.
  bool in_order() const { return in_order_; }

 private:
  struct Head {
    std::uint64_t key;  // the line's first eight bytes as one number
    std::string_view line;
    std::size_t source;
  };
  static bool later(const Head& a, const Head& b) { return a.key != b.key ? a.key > b.key : a.line > b.line; }
  void sift_down(std::size_t i);
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<std::unique_ptr<LineReader>> readers_;
  std::vector<Head> heads_;      // a heap, the least head first
  std::size_t advance_ = kNone;  // the source of the line handed out last
  bool in_order_ = true;
};

// Merges the sorted files `sources` into the open file `out` with a heap of
// their head lines, written without their first `drop` bytes, and closes it.
// Each source is checked for order as it is read, which is what puts the
// merged lines in order.
enum class MergeResult {
  kInOrder,
  kOutOfOrder,  // a source had a line less than the one before it
  kFailed,      // a source could not be read, or a write failed: noted in `failures`
};
MergeResult merge_runs(const std::vector<std::string>& sources, File& out, IoFailures& failures, std::size_t drop = 0);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_LINE_SORT_H_
