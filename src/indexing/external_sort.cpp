#include "indexing/external_sort.h"

#include <algorithm>
#include <string>
#include <vector>

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/line_sort.h"
#include "common/lines.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

const char* const kMergeOutput = "sort_output.txt";
// Bookkeeping cost of one held line besides its bytes.
constexpr std::size_t kLineOverhead = sizeof(std::string);

std::string piece_name(std::size_t n) { return "file_s_" + std::to_string(n) + ".txt"; }

std::FILE* create_file(const std::string& name) { return std::fopen(native_path(name).c_str(), "wb"); }

bool copy_named(const std::string& from, const std::string& to) {
  return copy_file(native_path(from), native_path(to));
}

Flow sort_error(Console& console) {
  console.write_line("sort error");
  return Flow::kEnd;
}

// The merge output could not be opened.
Flow no_file_error(Context& ctx, std::size_t merged) {
  Console& console = ctx.console;
  console.write_line("---------- sort error ----------");
  console.write_line("number of files > file.max");
  console.write_line("file.max = " + format_signed(static_cast<long long>(merged)));
  console.write_line("sort.input$ = " + ctx.state.sort_input);
  console.write_line("sort.output$ = " + ctx.state.sort_output);
  console.write_line(std::string("file.name.02$ = ") + kMergeOutput);
  console.write_line("file.num.02 = " + format_signed(0));
  return Flow::kEnd;
}

// Cuts the input into sorted pieces; returns their number, or -1 when a
// piece could not be written.
long long cut_pieces(const std::string& input, std::size_t piece_bytes) {
  LineReader reader(input);
  std::vector<std::string> held;
  std::size_t held_bytes = 0;
  std::string line;
  long long pieces = 0;
  bool more = true;
  while (more) {
    more = reader.next(line);
    if (more) {
      held_bytes += line.size() + kLineOverhead;
      held.push_back(std::move(line));
      line = std::string();
      if (held_bytes < piece_bytes) continue;
    }
    if (held.empty()) break;
    std::sort(held.begin(), held.end());
    std::FILE* f = create_file(piece_name(static_cast<std::size_t>(++pieces)));
    if (f == nullptr || !write_run(f, held)) return -1;
    held.clear();
    held_bytes = 0;
  }
  return pieces;
}

// Whether every line of the file is not less than the one before it.
bool in_order(const std::string& name) {
  LineReader reader(name);
  std::string previous, line;
  if (!reader.next(previous)) return true;
  while (reader.next(line)) {
    if (line < previous) return false;
    previous.swap(line);
  }
  return true;
}

}  // namespace

Flow external_sort(Context& ctx) { return external_sort(ctx, ExternalSortLimits{}); }

Flow external_sort(Context& ctx, const ExternalSortLimits& limits) {
  const std::string& input = ctx.state.sort_input;
  const std::string& output = ctx.state.sort_output;
  if (input.empty()) return Flow::kEnd;
  run_command(ctx.console, "dir > file_s_01.txt");
  run_command(ctx.console, "del /q file_s_*.txt > null.txt");

  const std::size_t fan_in = std::max<std::size_t>(limits.fan_in, 2);
  long long cut = cut_pieces(input, limits.piece_bytes);
  if (cut < 0) return sort_error(ctx.console);
  std::size_t pieces = static_cast<std::size_t>(cut);
  if (pieces == 0) {
    std::FILE* empty = create_file(kMergeOutput);
    if (empty == nullptr) return no_file_error(ctx, 0);
    if (std::fclose(empty) != 0 || !copy_named(kMergeOutput, output)) return sort_error(ctx.console);
    return Flow::kGoOn;
  }

  std::size_t n = std::min(fan_in, pieces);
  for (;;) {
    if (n == 1) {
      if (!copy_named(piece_name(1), kMergeOutput)) return sort_error(ctx.console);
    } else {
      std::vector<std::string> sources;
      for (std::size_t i = 1; i <= n; ++i) sources.push_back(piece_name(i));
      std::FILE* out = create_file(kMergeOutput);
      if (out == nullptr) return no_file_error(ctx, n);
      if (!merge_runs(sources, out)) return sort_error(ctx.console);
    }
    if (!in_order(kMergeOutput)) return sort_error(ctx.console);
    if (n == pieces) break;
    // Pieces 1..n are merged: the rest move down behind the merged result,
    // which becomes piece 1.
    for (std::size_t i = 1; i <= n; ++i) {
      run_command(ctx.console, "del /q " + piece_name(i) + " > out_null.list");
    }
    for (std::size_t i = n + 1; i <= pieces; ++i) {
      if (!copy_named(piece_name(i), piece_name(i - n + 1))) return sort_error(ctx.console);
    }
    if (!copy_named(kMergeOutput, piece_name(1))) return sort_error(ctx.console);
    pieces = pieces - n + 1;
    if (pieces <= n) n = pieces;
  }
  if (!copy_named(kMergeOutput, output)) return sort_error(ctx.console);
  return Flow::kGoOn;
}

}  // namespace textpair
