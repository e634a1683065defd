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

bool write_named(const LineRun& run, const std::string& name) {
  File f;
  return create_file(name, f) && run.write(f);
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

Flow external_sort(Context& ctx, const std::string& input, const std::string& output,
                   const ExternalSortLimits& limits) {
  if (input.empty()) return Flow::kEnd;
  run_command(ctx.console, ctx.state.writes, "dir > file_s_01.txt");
  run_command(ctx.console, ctx.state.writes, "del /q file_s_*.txt > null.txt");

  const std::size_t fan_in = std::max<std::size_t>(limits.fan_in, 2);
  LineReader reader(input);
  LineRun run;
  std::size_t pieces = 0;
  while (run.fill(reader, limits.piece_bytes)) {
    run.sort();
    if (pieces == 0 && reader.at_end()) {
      // A single piece is the sorted result as it stands.
      if (!write_named(run, output)) return sort_error(ctx.console);
      return Flow::kGoOn;
    }
    if (!write_named(run, piece_name(++pieces))) return sort_error(ctx.console);
  }
  reader.close();
  run = LineRun();
  if (pieces == 0) {
    File empty;
    if (!create_file(output, empty) || !empty.close()) return sort_error(ctx.console);
    return Flow::kGoOn;
  }

  // Pieces and merge output are scratch: they are moved into place, never
  // copied.
  std::size_t n = std::min(fan_in, pieces);
  for (;;) {
    std::vector<std::string> sources;
    for (std::size_t i = 1; i <= n; ++i) sources.push_back(piece_name(i));
    File out;
    if (!create_file(kMergeOutput, out)) return no_file_error(ctx.console, input, output, n);
    if (!merge_runs(sources, out) || !in_order(kMergeOutput)) return sort_error(ctx.console);
    if (n == pieces) break;
    // Pieces 1..n are merged: the rest move down behind the merged result,
    // which becomes piece 1.
    for (std::size_t i = 1; i <= n; ++i) {
      run_command(ctx.console, ctx.state.writes, "del /q " + piece_name(i) + " > out_null.list");
    }
    for (std::size_t i = n + 1; i <= pieces; ++i) {
      if (!move_named(piece_name(i), piece_name(i - n + 1))) return sort_error(ctx.console);
    }
    if (!move_named(kMergeOutput, piece_name(1))) return sort_error(ctx.console);
    pieces = pieces - n + 1;
    if (pieces <= n) n = pieces;
  }
  if (!move_named(kMergeOutput, output)) return sort_error(ctx.console);
  return Flow::kGoOn;
}

}  // namespace textpair
