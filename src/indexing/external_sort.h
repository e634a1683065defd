// The program's own external sort of lines in byte order, from a file or
// handed over one by one.
//
// Lines that fit one piece are sorted in memory and written as the output
// (or handed on). More are cut into pieces file_s_1.txt, file_s_2.txt, ...
// each sorted in memory; up to fan_in pieces at a time are merged into
// sort_output.txt, and the last merge writes the output (or hands its lines
// on). Each piece is checked for order as it is merged. Lines are compared
// as unsigned bytes; a line that is a prefix of another comes first;
// duplicates are kept. No lines give an empty output.
#ifndef TEXTPAIR_INDEXING_EXTERNAL_SORT_H_
#define TEXTPAIR_INDEXING_EXTERNAL_SORT_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/line_sort.h"
#include "common/run_state.h"

namespace textpair {

// Memory held by a sort: one piece of at most piece_bytes (line bytes plus
// LineRun::kLineCost, the size of a line's bookkeeping, per line; a single
// longer line is still held whole), one more bookkeeping entry per line
// while the piece is sorted, and a 1 MiB write buffer; or during a merge
// pass one 64 KiB read buffer per merged piece. With the defaults that is
// about 25 to 32 MiB.
struct ExternalSortLimits {
  std::size_t piece_bytes = std::size_t{24} << 20;
  std::size_t fan_in = 64;  // pieces merged in one pass (file.max)
};

// The scratch names of a sort: its pieces (the prefix, followed by the
// piece's number and .txt) and its merge output. Sorters at work at the same
// time need their own.
struct SortScratch {
  std::string pieces = "file_s_";
  std::string merged = "sort_output.txt";
};

// Sorts lines handed over one at a time, so that the unsorted lines need
// not be written first.
class ExternalSorter {
 public:
  // `input` names the lines in the sort error screens. Each line may begin
  // with `key_bytes` bytes that only order it: the output is written
  // without them.
  ExternalSorter(Context& ctx, std::string input, std::string output, const ExternalSortLimits& limits = {},
                 std::size_t key_bytes = 0, SortScratch scratch = {});
  ExternalSorter(const ExternalSorter&) = delete;
  ExternalSorter& operator=(const ExternalSorter&) = delete;

  // One line, without its line end.
  void add(std::string_view line);
  // Writes the sorted output. Ends the run (after the "sort error" lines)
  // when a piece or the output cannot be written or the merged result is
  // out of order.
  Flow finish();
  // Hands the sorted lines, without their keys, to `each` instead of
  // writing the output; a line's view holds during the call. Ends the run as
  // finish() does.
  Flow finish(const std::function<void(std::string_view)>& each);
  // Leaves the sorted lines, keys and all, in sorted pieces (at most fan_in,
  // the first numbered 1), for merge_pieces to read in a later step.
  Flow finish_pieces();

 private:
  std::string piece(std::size_t n) const;
  std::vector<std::string> piece_names() const;
  void write_piece();
  // Writes the last piece, then merges pieces until one pass can take them all.
  Flow merge_down();
  Context& ctx_;
  std::string input_, output_;
  ExternalSortLimits limits_;
  std::size_t key_bytes_;
  SortScratch scratch_;
  LineRun run_;
  std::size_t pieces_ = 0;
  bool failed_ = false;
};

// Reads the pieces that ExternalSorter::finish_pieces left under the names
// `scratch` and hands their lines, merged and without their first
// `key_bytes` bytes, to `each`. No pieces give no lines. Ends the run after
// "sort error" when a piece is out of order.
Flow merge_pieces(Context& ctx, const SortScratch& scratch, std::size_t key_bytes,
                  const std::function<void(std::string_view)>& each);

// The bytes of the pieces that ExternalSorter::finish_pieces left under the
// names `scratch`.
std::uint64_t pieces_bytes(const SortScratch& scratch);

// Deletes the pieces an earlier sort may have left, as a run does before
// its first sort.
void clear_sort_pieces(Context& ctx);

// Sorts the file `input` into the file `output` (after clear_sort_pieces).
// Ends the run as ExternalSorter::finish does, and silently when no input
// is named.
Flow external_sort(Context& ctx, const std::string& input, const std::string& output,
                   const ExternalSortLimits& limits = {});

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_EXTERNAL_SORT_H_
