// The sorts of the run's work files: the clean-up of the pieces an earlier
// sort left, and a whole file sorted into another, with the sort's screens.
#ifndef TEXTPAIR_STEPS_SORT_FILE_H_
#define TEXTPAIR_STEPS_SORT_FILE_H_

#include <string>

#include "common/external_sort.h"
#include "common/io_failures.h"
#include "common/run_state.h"

namespace textpair {

class Console;

// "dir > file_s_01.txt", then "del /q file_s_*.txt > null.txt": deletes the
// pieces an earlier sort may have left, as a run does before its sorts.
void clear_sort_pieces(Console& console, IoFailures& failures);

// Sorts the file `input` into the file `output` after clear_sort_pieces.
// Ends the run as ExternalSorter::settle does, and silently when no input
// is named.
Flow sort_file(Console& console, IoFailures& failures, const std::string& input, const std::string& output,
               const ExternalSortLimits& limits = {});

}  // namespace textpair

#endif  // TEXTPAIR_STEPS_SORT_FILE_H_
