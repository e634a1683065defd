// The numbered occurrences put back into text order and handed to the
// group split: the words in text order, as the extraction wrote them with
// their places (text_places.h), each joined with the id, number and
// next-page entry that the numbering gave it, window by window. A run
// small enough to hold a slot per word is one window, its slots filled as
// the words were numbered; a larger one reads each window's numbered lines
// into the slots in turn.
#ifndef TEXTPAIR_INDEXING_OCCURRENCES_IN_TEXT_ORDER_H_
#define TEXTPAIR_INDEXING_OCCURRENCES_IN_TEXT_ORDER_H_

#include <string>

#include "common/io_failures.h"
#include "common/run_state.h"
#include "indexing/group_lists.h"
#include "indexing/next_pages.h"
#include "indexing/occurrence_numbers.h"

namespace textpair {

// The words of `text_places`, each given the id, number and entry noted at
// its ordinal in `slots`; words without them were left out. Ends the run
// when the places hold fewer words than were numbered (noted as a failed
// read of the places).
Flow split_placed(const std::string& text_places, const NextPages& nexts, const TextOrderSlots& slots,
                  GroupSplit& split, IoFailures& failures);

// The same for the windows' numbered lines, each window read into slots of
// its own and its file deleted once joined.
Flow split_windowed(const std::string& text_places, const NextPages& nexts, const NumberedWindows& windows,
                    GroupSplit& split, IoFailures& failures);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_OCCURRENCES_IN_TEXT_ORDER_H_
