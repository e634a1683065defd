// The numbered occurrences put back into text order and handed to the
// group split: the words in text order, as the extraction wrote them with
// their places (text_places.h), each joined with the id, number and
// next-page entry that the numbering gave it. Those come either noted at
// the words' ordinals (a run small enough to hold a slot per word) or as
// numbered lines sorted back by their ordinals.
#ifndef TEXTPAIR_INDEXING_OCCURRENCES_IN_TEXT_ORDER_H_
#define TEXTPAIR_INDEXING_OCCURRENCES_IN_TEXT_ORDER_H_

#include <string>

#include "common/external_sort.h"
#include "common/io_failures.h"
#include "common/run_state.h"
#include "indexing/group_lists.h"
#include "indexing/next_pages.h"
#include "indexing/occurrence_numbers.h"

namespace textpair {

class Console;

// The words of `text_places`, each given what the numbered lines that
// `numbered` holds say of its ordinal; words without a line were left out.
// Ends the run as the sort does, or when a line names a word the places
// do not hold (noted as a failed read of the places).
Flow split_sorted(Console& console, ExternalSorter& numbered, const std::string& text_places, GroupSplit& split,
                  IoFailures& failures);

// The words of `text_places`, each given the id, number and entry noted at
// its ordinal in `slots`; words without them were left out.
Flow split_placed(const std::string& text_places, const NextPages& nexts, const TextOrderSlots& slots,
                  GroupSplit& split, IoFailures& failures);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_OCCURRENCES_IN_TEXT_ORDER_H_
