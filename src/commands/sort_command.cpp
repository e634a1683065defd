// sort: the lines of a file in byte order, into the file given with /o or
// onto standard output.
#include "commands/builtins.h"
#include "common/bytes.h"
#include "common/external_sort.h"
#include "common/lines.h"
#include "common/scratch_file.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

void sort_command(CommandIo& io, const Args& args) {
  std::string input, output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const Word& w = args[i];
    if (is_switch(w) && lower_ascii(w.text) == "/o" && i + 1 < args.size() && output.empty()) {
      output = args[++i].text;
    } else if (is_switch(w)) {
      complain(io.console, "Invalid switch.");
      return;
    } else if (input.empty()) {
      input = w.text;
    } else {
      complain(io.console, kSyntaxError);
      return;
    }
  }
  if (input.empty()) {
    complain(io.console, kSyntaxError);
    return;
  }
  // The sorted lines go to a scratch file beside the output, which replaces
  // the output only when the sort succeeded: the output may be the input
  // itself, and a failed sort leaves both as they were. Without /o they are
  // then read from there, so that memory stays bounded here too.
  const bool to_output = output.empty();
  const std::string target = to_output ? std::string() : native_path(output);
  const std::string folder = parent_path(target);
  LineReader reader;
  if (!reader.open(input)) {
    complain(io.console, "The system cannot find the file specified.");
    return;
  }
  std::string result;
  unsigned number = 0;
  File made;
  if (!create_scratch_file(folder, "~sort_out", number, made, result)) {
    complain(io.console, "The system cannot write to the specified device.");
    io.failures.note(made.close());
    return;
  }
  io.failures.note(made.close());
  ExternalSorter sorter(input, result, io.failures, {}, 0, {.pieces = join_path(folder, "~sort_"), .temporary = true});
  SortOutcome sorted = sorter.sort_from(reader);
  if (sorted == SortOutcome::kSorted && !to_output) {
    const IoResult moved = rename_path(result, target);
    if (moved) return;
    io.failures.note(moved);
    sorted = SortOutcome::kFailed;
  }
  if (sorted == SortOutcome::kSorted) {
    LineReader lines(result, io.failures);
    std::string line;
    while (lines.next(line)) io.out.line(line);
  } else {
    complain(io.console, "The system cannot write to the specified device.");
    // A merge output that could not be made, or pieces that changed under
    // the sort, are failures of the sort's own files.
    if (sorted == SortOutcome::kNoMergeOutput) io.failures.note(sorter.merge_output_failure());
    if (sorted == SortOutcome::kOutOfOrder) io.failures.note(IoResult::failed(result, "the sorted pieces changed"));
  }
  // A scratch file left behind is deleted by the next run's clean-up.
  ignore_result(remove_file(result));
}

}  // namespace textpair
