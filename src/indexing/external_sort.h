// The program's own external sort of a file's lines in byte order.
//
// The caller names the input and the output. An input that fits one piece
// is sorted in memory and written as the output. A longer one is cut into
// pieces file_s_1.txt, file_s_2.txt, ... each sorted in memory, and up to
// fan_in pieces at a time are merged into sort_output.txt, which is checked
// for order and finally moved to the output. Lines are compared as unsigned
// bytes; a line that is a prefix of another comes first; duplicates are
// kept. An empty input gives an empty output.
#ifndef TEXTPAIR_INDEXING_EXTERNAL_SORT_H_
#define TEXTPAIR_INDEXING_EXTERNAL_SORT_H_

#include <cstddef>
#include <string>

#include "common/run_state.h"

namespace textpair {

// Memory held by a sort: one piece of at most piece_bytes (line bytes plus
// LineRun::kLineCost, the size of a line's bookkeeping, per line; a single
// longer line is still held whole) and a 1 MiB write buffer, or during a
// merge pass one 64 KiB read buffer and one head line per merged piece. With the defaults that is about 25 MiB.
struct ExternalSortLimits {
  std::size_t piece_bytes = std::size_t{24} << 20;
  std::size_t fan_in = 64;  // pieces merged in one pass (file.max)
};

// Sorts the file `input` into the file `output`. Ends the run (after the
// "sort error" lines, which name both) when the merged result is out of
// order or cannot be written, and silently when no input is named.
Flow external_sort(Context& ctx, const std::string& input, const std::string& output,
                   const ExternalSortLimits& limits = {});

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_EXTERNAL_SORT_H_
