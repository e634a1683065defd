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

// False when the file cannot be made; the file then holds the failure.
bool create_file(const std::string& name, File& file) { return file.open(native_path(name), File::Mode::kCreate); }

IoResult move_named(const std::string& from, const std::string& to) {
  return rename_path(native_path(from), native_path(to));
}

// A file that could not be read or written ends the run with the screen for
// unwritten work, which the driver shows: the failure is noted, no sort
// error is shown.
Flow io_failure(IoFailures& failures, const IoResult& failure) {
  failures.note(failure);
  return Flow::kEnd;
}

Flow sort_error(Console& console) {
  console.write_line("sort error");
  return Flow::kEnd;
}

// The merge output could not be opened.
Flow no_file_error(Console& console, const std::string& input, const std::string& output, std::size_t merged,
                   const std::string& merge_output) {
  console.write_line("---------- sort error ----------");
  console.write_line("number of files > file.max");
  console.write_line("file.max = " + format_signed(static_cast<long long>(merged)));
  console.write_line("sort.input$ = " + input);
  console.write_line("sort.output$ = " + output);
  console.write_line("file.name.02$ = " + merge_output);
  console.write_line("file.num.02 = " + format_signed(0));
  return Flow::kEnd;
}

IoResult write_named(const LineRun& run, const std::string& name, std::size_t drop = 0) {
  File f;
  if (create_file(name, f)) static_cast<void>(run.write(f, drop));
  return f.close();
}

}  // namespace

void clear_sort_pieces(Context& ctx) {
  run_command(ctx.console, ctx.state.failures, "dir > file_s_01.txt");
  run_command(ctx.console, ctx.state.failures, "del /q file_s_*.txt > null.txt");
}

ExternalSorter::ExternalSorter(Context& ctx, std::string input, std::string output,
                               const ExternalSortLimits& limits, std::size_t key_bytes, SortScratch scratch)
    : ctx_(ctx),
      input_(std::move(input)),
      output_(std::move(output)),
      limits_(limits),
      key_bytes_(key_bytes),
      scratch_(std::move(scratch)) {}

namespace {

std::string piece_of(const SortScratch& scratch, std::size_t n) {
  return scratch.pieces + std::to_string(n) + ".txt";
}

// Hands the lines of the sorted pieces, merged and without their keys, to `each`.
Flow merge_named(Context& ctx, const std::vector<std::string>& pieces, std::size_t key_bytes,
                 const std::function<void(std::string_view)>& each) {
  IoFailures& failures = ctx.state.failures;
  LineMerge merge;
  if (!merge.open(pieces, failures)) return Flow::kEnd;
  std::string_view line;
  while (merge.next(line)) each(line.substr(std::min(key_bytes, line.size())));
  if (failures.any()) return Flow::kEnd;
  return merge.in_order() ? Flow::kGoOn : sort_error(ctx.console);
}

}  // namespace

std::string ExternalSorter::piece(std::size_t n) const { return piece_of(scratch_, n); }

void ExternalSorter::write_piece() {
  run_.sort();
  if (IoResult written = write_named(run_, piece(++pieces_)); !written) {
    ctx_.state.failures.note(written);
    failed_ = true;
  }
  run_.clear();
}

void ExternalSorter::add(std::string_view line) {
  run_.add(line);
  if (run_.held() >= limits_.piece_bytes) write_piece();
}

Flow ExternalSorter::merge_down() {
  if (run_.size() > 0) write_piece();
  run_ = LineRun();
  if (failed_) return Flow::kEnd;
  // Pieces and merge output are scratch: they are moved into place, never
  // copied. Each pass merges the first fan_in pieces into one, until one
  // pass can take them all.
  const std::size_t fan_in = std::max<std::size_t>(limits_.fan_in, 2);
  IoFailures& failures = ctx_.state.failures;
  while (pieces_ > fan_in) {
    std::vector<std::string> sources;
    for (std::size_t i = 1; i <= fan_in; ++i) sources.push_back(piece(i));
    File out;
    if (!create_file(scratch_.merged, out)) return no_file_error(ctx_.console, input_, output_, fan_in, scratch_.merged);
    switch (merge_runs(sources, out, failures)) {
      case MergeResult::kInOrder: break;
      case MergeResult::kOutOfOrder: return sort_error(ctx_.console);
      case MergeResult::kFailed: return Flow::kEnd;
    }
    // Pieces 1..fan_in are merged: the rest move down behind the merged
    // result, which becomes piece 1.
    for (std::size_t i = 1; i <= fan_in; ++i) {
      run_command(ctx_.console, ctx_.state.failures, "del /q " + piece(i) + " > out_null.list");
    }
    if (failures.any()) return Flow::kEnd;
    for (std::size_t i = fan_in + 1; i <= pieces_; ++i) {
      if (IoResult moved = move_named(piece(i), piece(i - fan_in + 1)); !moved) return io_failure(failures, moved);
    }
    if (IoResult moved = move_named(scratch_.merged, piece(1)); !moved) return io_failure(failures, moved);
    pieces_ = pieces_ - fan_in + 1;
  }
  return Flow::kGoOn;
}

std::vector<std::string> ExternalSorter::piece_names() const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i <= pieces_; ++i) names.push_back(piece(i));
  return names;
}

Flow ExternalSorter::finish() {
  if (failed_) return Flow::kEnd;
  IoFailures& failures = ctx_.state.failures;
  if (pieces_ == 0) {
    // A single piece is the sorted result as it stands; no lines give an
    // empty output.
    run_.sort();
    IoResult written = write_named(run_, output_, key_bytes_);
    run_ = LineRun();
    return written ? Flow::kGoOn : io_failure(failures, written);
  }
  if (merge_down() == Flow::kEnd) return Flow::kEnd;
  File out;
  if (!create_file(scratch_.merged, out)) {
    return no_file_error(ctx_.console, input_, output_, pieces_, scratch_.merged);
  }
  // The last pass writes the output, without the keys.
  switch (merge_runs(piece_names(), out, failures, key_bytes_)) {
    case MergeResult::kInOrder: break;
    case MergeResult::kOutOfOrder: return sort_error(ctx_.console);
    case MergeResult::kFailed: return Flow::kEnd;
  }
  if (IoResult moved = move_named(scratch_.merged, output_); !moved) return io_failure(failures, moved);
  return Flow::kGoOn;
}

Flow ExternalSorter::finish(const std::function<void(std::string_view)>& each) {
  if (failed_) return Flow::kEnd;
  if (pieces_ == 0) {
    run_.sort();
    run_.each([&](std::string_view line) { each(line.substr(std::min(key_bytes_, line.size()))); });
    run_ = LineRun();
    return Flow::kGoOn;
  }
  if (merge_down() == Flow::kEnd) return Flow::kEnd;
  return merge_named(ctx_, piece_names(), key_bytes_, each);
}

Flow ExternalSorter::finish_pieces() {
  if (failed_) return Flow::kEnd;
  return merge_down();
}

Flow merge_pieces(Context& ctx, const SortScratch& scratch, std::size_t key_bytes,
                  const std::function<void(std::string_view)>& each) {
  std::vector<std::string> pieces;
  while (path_exists(native_path(piece_of(scratch, pieces.size() + 1)))) {
    pieces.push_back(piece_of(scratch, pieces.size() + 1));
  }
  return merge_named(ctx, pieces, key_bytes, each);
}

std::uint64_t pieces_bytes(const SortScratch& scratch) {
  std::uint64_t bytes = 0;
  DirEntry entry;
  for (std::size_t n = 1; entry_info(native_path(piece_of(scratch, n)), entry); ++n) bytes += entry.size;
  return bytes;
}

Flow external_sort(Context& ctx, const std::string& input, const std::string& output,
                   const ExternalSortLimits& limits) {
  if (input.empty()) return Flow::kEnd;
  clear_sort_pieces(ctx);
  ExternalSorter sorter(ctx, input, output, limits);
  LineReader reader(input, ctx.state.failures);
  std::string line;
  while (reader.next(line)) sorter.add(line);
  reader.close();
  if (ctx.state.failures.any()) return Flow::kEnd;
  return sorter.finish();
}

}  // namespace textpair
