#include "steps/sort_file.h"

#include "commands/run_command.h"
#include "common/lines.h"
#include "platform/console.h"

namespace textpair {

void clear_sort_pieces(Console& console, IoFailures& failures) {
  run_command(console, failures, "dir > file_s_01.txt");
  run_command(console, failures, "del /q file_s_*.txt > null.txt");
}

Flow sort_file(Console& console, IoFailures& failures, const std::string& input, const std::string& output,
               const ExternalSortLimits& limits) {
  if (input.empty()) return Flow::kEnd;
  clear_sort_pieces(console, failures);
  ExternalSorter sorter(input, output, failures, limits);
  LineReader reader(input, failures);
  return sorter.settle(console, sorter.sort_from(reader));
}

}  // namespace textpair
