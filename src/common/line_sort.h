// Sorting the lines of one text file into another in byte order, with
// bounded memory: runs of bounded size are sorted in memory and spilled to
// temporary files beside the output, then merged. Lines are compared as
// unsigned bytes, a line that is a prefix of another comes first; no case
// folding, no locale. Lines are read the way LineReader reads them and
// written with CR LF.
#ifndef TEXTPAIR_COMMON_LINE_SORT_H_
#define TEXTPAIR_COMMON_LINE_SORT_H_

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace textpair {

struct LineSortLimits {
  // Line bytes held in memory at once (a single longer line is still held).
  std::size_t run_bytes = std::size_t{16} << 20;
  // Files merged in one pass (at least 2).
  std::size_t merge_width = 64;
};

enum class LineSortResult {
  kOk,
  kInputUnreadable,  // the input file cannot be opened
  kWriteFailed,      // a temporary file or the output could not be written
};

// Sorts the lines of `input` into `output` (names the program's way,
// resolved like every other file name; input and output may be the same
// file). The output is replaced only when the sort succeeded, so a failure
// never leaves a partly written output behind. Temporary files are removed
// on every way out. An empty input gives an empty output.
LineSortResult sort_lines(const std::string& input, const std::string& output,
                          const LineSortLimits& limits = {});

// Building blocks for sorts that name and keep their own pieces.
// Writes the lines, each followed by CR LF, and closes the file; false when
// a write or the close failed.
bool write_run(std::FILE* f, const std::vector<std::string>& lines);
// Merges the sorted files `sources` into the open file `out` with a heap of
// their head lines and closes it; false when a source cannot be opened or a
// write failed.
bool merge_runs(const std::vector<std::string>& sources, std::FILE* out);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_LINE_SORT_H_
