// The program's one external sort: lines in byte order with bounded
// memory, from a file or handed over one by one, used by the indexing and
// by the sort command alike.
//
// Lines that fit one piece are sorted in memory and written as the output
// (or handed on). More are cut into pieces, each sorted in memory and
// written; up to fan_in pieces at a time are merged into the merge output,
// which then stands in for them, until the last merge writes the output (or
// hands its lines on). Lines are compared as unsigned bytes; a line that is
// a prefix of another comes first; duplicates are kept. No lines give an
// empty output.
//
// The pieces come from the sort itself, so they are in order unless a file
// changed under it: every piece is checked as it is merged, and a piece out
// of order ends the sort as kOutOfOrder, whoever sorts. A file that cannot
// be read or written is noted in the failure record given to the sort.
#ifndef TEXTPAIR_COMMON_EXTERNAL_SORT_H_
#define TEXTPAIR_COMMON_EXTERNAL_SORT_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/io_failures.h"
#include "common/line_sort.h"
#include "common/lines.h"
#include "common/run_state.h"
#include "common/side_task.h"
#include "platform/console.h"

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
  // Each full piece is sorted and written beside the caller, on another
  // core, while the next one fills: the sort then holds two pieces.
  bool beside = false;
};

// The scratch files of a sort: its pieces (the prefix, followed by the
// piece's number and .txt) and its merge output. Sorters at work at the same
// time need their own. Work-folder scratch keeps these names and is left for
// the next sort or the run's clean-up; temporary scratch is made as new
// files "<pieces><n>.tmp" that never replace a file already there, and is
// removed on every way out.
struct SortScratch {
  std::string pieces = "file_s_";
  std::string merged = "sort_output.txt";
  bool temporary = false;
};

enum class SortOutcome {
  kSorted,
  kFailed,         // a file could not be read or written: noted in the failure record
  kOutOfOrder,     // a piece came out of order from its file
  kNoMergeOutput,  // the merge output of a pass could not be made
};

class ExternalSorter {
 public:
  // `input` and `output` name the lines and the result (the sort screens
  // print them). Each line may begin with `key_bytes` bytes that only order
  // it: the output is written without them.
  ExternalSorter(std::string input, std::string output, IoFailures& failures, const ExternalSortLimits& limits = {},
                 std::size_t key_bytes = 0, SortScratch scratch = {});
  ~ExternalSorter();
  ExternalSorter(const ExternalSorter&) = delete;
  ExternalSorter& operator=(const ExternalSorter&) = delete;

  // One line, without its line end.
  void add(std::string_view line);
  // Every line of `reader`, then finish(); kFailed when it could not be read.
  SortOutcome sort_from(LineReader& reader);
  // Writes the sorted output.
  SortOutcome finish();
  // Hands the sorted lines, without their keys, to `each` instead of
  // writing the output; a line's view holds during the call.
  SortOutcome finish(const std::function<void(std::string_view)>& each);
  // Leaves the sorted lines, keys and all, in sorted pieces (at most fan_in,
  // the first numbered 1), for merge_pieces to read in a later step.
  SortOutcome finish_pieces();

  // What the run does with an outcome: goes on when sorted; after "sort
  // error", or the screen for a merge output that could not be made, it
  // ends; a noted failure ends it without a screen of its own (the driver
  // shows the failure).
  Flow settle(Console& console, SortOutcome outcome) const;
  // Why the merge output could not be made, after kNoMergeOutput.
  const IoResult& merge_output_failure() const { return merge_output_failure_; }

 private:
  bool write_piece();
  // Waits for the piece being written beside, and takes its outcome.
  void finish_piece();
  bool make_file(std::string& name, File& file);
  bool make_piece(File& file);
  // Merges pieces until one pass can take them all.
  SortOutcome merge_down();
  // Makes the merge output of a pass over `pieces` pieces: its name in
  // `merged`, open in `out`; kNoMergeOutput when it cannot be made.
  SortOutcome open_merge_output(std::string& merged, File& out, std::size_t pieces);
  void remove_temporary();
  // Deletes the pieces once the last merge has read them.
  void drop_merged_pieces();

  std::string input_, output_;
  IoFailures& failures_;
  ExternalSortLimits limits_;
  std::size_t key_bytes_;
  SortScratch scratch_;
  LineRun run_;
  // The piece being sorted and written beside (limits.beside).
  LineRun spare_;
  File piece_file_;
  IoResult piece_written_;
  std::unique_ptr<SideTask> piece_task_;
  std::vector<std::string> pieces_;  // in merge order; work-folder pieces are numbered from 1
  std::vector<std::string> temporary_;
  unsigned temporary_number_ = 0;
  std::size_t merged_files_ = 0;  // the files of the pass whose output could not be made
  IoResult merge_output_failure_;
  bool failed_ = false;
};

// What the run does with the outcome of merge_pieces, which makes no merge
// output: goes on when sorted, ends after "sort error" when a piece was out
// of order, ends without a screen of its own on a noted failure.
Flow settle_merge(Console& console, SortOutcome outcome);

// Reads the pieces that ExternalSorter::finish_pieces left under the
// work-folder names `scratch` and hands their lines, merged and without
// their first `key_bytes` bytes, to `each`. No pieces give no lines.
// With `beside`, the pieces are merged beside the caller, on another core,
// and their lines handed over in batches of 1 MiB.
SortOutcome merge_pieces(const SortScratch& scratch, std::size_t key_bytes, IoFailures& failures,
                         const std::function<void(std::string_view)>& each, bool beside = false);

// Deletes the pieces that ExternalSorter::finish_pieces left under the names
// `scratch`, once merge_pieces has read them.
void drop_pieces(const SortScratch& scratch);

// The bytes of the pieces that ExternalSorter::finish_pieces left under the
// names `scratch`.
std::uint64_t pieces_bytes(const SortScratch& scratch);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_EXTERNAL_SORT_H_
