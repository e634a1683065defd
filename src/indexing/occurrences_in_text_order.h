// The numbered occurrences put back into text order and handed to the
// group split, in one of two ways: sorted back by their ordinals, or, for a
// run small enough to hold a slot per word, joined with the words in text
// order as the extraction wrote them.
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

// The records `numbered` holds, led by their ordinals and entries, sorted
// back into text order. Ends the run as the sort does.
Flow split_sorted(Console& console, ExternalSorter& numbered, GroupSplit& split);

// The words of `text_places` (text_place_record, in text order), each given
// the id, number and entry noted at its ordinal in `slots`; words without
// them were left out.
Flow split_placed(const std::string& text_places, const NextPages& nexts, const TextOrderSlots& slots,
                  GroupSplit& split, IoFailures& failures);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_OCCURRENCES_IN_TEXT_ORDER_H_
