// sort: the lines of a file in byte order, into the file given with /o or
// onto standard output.
#include "commands/builtins.h"
#include "common/bytes.h"
#include "common/line_sort.h"
#include "common/lines.h"
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
  // Without /o the sorted lines pass through a scratch file beside the input,
  // so that memory stays bounded here too.
  bool to_output = output.empty();
  if (to_output) output = "~sort_stdout.tmp";
  LineReader reader;
  if (!reader.open(input)) {
    complain(io.console, "The system cannot find the file specified.");
  } else if (IoResult sorted = sort_lines(reader, output); !sorted) {
    complain(io.console, "The system cannot write to the specified device.");
    io.failures.note(sorted);
  } else if (to_output) {
    LineReader reader(output, io.failures);
    std::string line;
    while (reader.next(line)) io.out.line(line);
  }
  // A scratch file left behind is deleted by the next run's clean-up.
  if (to_output) ignore_result(remove_file(native_path(output)));
}

}  // namespace textpair
