#include "indexing/external_sort.h"

#include <algorithm>
#include <string>
#include <vector>

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/line_sort.h"
#include "common/lines.h"
#include "platform/console.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

const char* const kMergeOutput = "sort_output.txt";

std::string piece_name(std::size_t n) { return "file_s_" + std::to_string(n) + ".txt"; }

// False when the file cannot be made.
bool create_file(const std::string& name, File& file) { return file.open(native_path(name), File::Mode::kCreate); }

bool move_named(const std::string& from, const std::string& to) {
  return rename_path(native_path(from), native_path(to));
}

Flow sort_error(Console& console) {
  console.write_line("sort error");
  return Flow::kEnd;
}

// The merge output could not be opened.
Flow no_file_error(Console& console, const std::string& input, const std::string& output, std::size_t merged) {
  console.write_line("---------- sort error ----------");
  console.write_line("number of files > file.max");
  console.write_line("file.max = " + format_signed(static_cast<long long>(merged)));
  console.write_line("sort.input$ = " + input);
  console.write_line("sort.output$ = " + output);
  console.write_line(std::string("file.name.02$ = ") + kMergeOutput);
  console.write_line("file.num.02 = " + format_signed(0));
  return Flow::kEnd;
}

bool write_named(const LineRun& run, const std::string& name, std::size_t drop = 0) {
  File f;
  return create_file(name, f) && run.write(f, drop);
}

}  // namespace

void clear_sort_pieces(Context& ctx) {
  run_command(ctx.console, ctx.state.writes, "dir > file_s_01.txt");
  run_command(ctx.console, ctx.state.writes, "del /q file_s_*.txt > null.txt");
}

ExternalSorter::ExternalSorter(Context& ctx, std::string input, std::string output,
                               const ExternalSortLimits& limits, std::size_t key_bytes)
    : ctx_(ctx), input_(std::move(input)), output_(std::move(output)), limits_(limits), key_bytes_(key_bytes) {}

void ExternalSorter::write_piece() {
  run_.sort();
  if (!write_named(run_, piece_name(++pieces_))) failed_ = true;
  run_.clear();
}

void ExternalSorter::add(std::string_view line) {
  run_.add(line);
  if (run_.held() >= limits_.piece_bytes) write_piece();
}

Flow ExternalSorter::finish() {
  if (failed_) return sort_error(ctx_.console);
  if (pieces_ == 0) {
    // A single piece is the sorted result as it stands; no lines give an
    // empty output.
    run_.sort();
    const bool written = write_named(run_, output_, key_bytes_);
    run_ = LineRun();
    return written ? Flow::kGoOn : sort_error(ctx_.console);
  }
  if (run_.size() > 0) write_piece();
  run_ = LineRun();
  if (failed_) return sort_error(ctx_.console);

  // Pieces and merge output are scratch: they are moved into place, never
  // copied.
  const std::size_t fan_in = std::max<std::size_t>(limits_.fan_in, 2);
  std::size_t pieces = pieces_;
  std::size_t n = std::min(fan_in, pieces);
  for (;;) {
    std::vector<std::string> sources;
    for (std::size_t i = 1; i <= n; ++i) sources.push_back(piece_name(i));
    File out;
    if (!create_file(kMergeOutput, out)) return no_file_error(ctx_.console, input_, output_, n);
    // The merge checks that each piece comes in order, which puts its
    // result in order.
    // Only the last pass writes the output, without the keys.
    if (merge_runs(sources, out, n == pieces ? key_bytes_ : 0) != MergeResult::kInOrder) {
      return sort_error(ctx_.console);
    }
    if (n == pieces) break;
    // Pieces 1..n are merged: the rest move down behind the merged result,
    // which becomes piece 1.
    for (std::size_t i = 1; i <= n; ++i) {
      run_command(ctx_.console, ctx_.state.writes, "del /q " + piece_name(i) + " > out_null.list");
    }
    for (std::size_t i = n + 1; i <= pieces; ++i) {
      if (!move_named(piece_name(i), piece_name(i - n + 1))) return sort_error(ctx_.console);
    }
    if (!move_named(kMergeOutput, piece_name(1))) return sort_error(ctx_.console);
    pieces = pieces - n + 1;
    if (pieces <= n) n = pieces;
  }
  if (!move_named(kMergeOutput, output_)) return sort_error(ctx_.console);
  return Flow::kGoOn;
}

Flow external_sort(Context& ctx, const std::string& input, const std::string& output,
                   const ExternalSortLimits& limits) {
  if (input.empty()) return Flow::kEnd;
  clear_sort_pieces(ctx);
  ExternalSorter sorter(ctx, input, output, limits);
  LineReader reader(input);
  std::string line;
  while (reader.next(line)) sorter.add(line);
  reader.close();
  return sorter.finish();
}

}  // namespace textpair
