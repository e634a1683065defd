// The chain of word lists: ids, occurrence numbers, page groups and the
// per-group lists, one stage after another.
//
// From the keyed words in key order (the pieces wrd_01_02_N.txt) the phase
// gives every distinct word (compared in lower case) an id and numbers each
// word's occurrences (occurrence_numbers.h), puts them back into text order
// (occurrences_in_text_order.h), groups the page files two by two and
// splits the occurrences by group (group_lists.h): in text order with the
// next page holding the word (wrd_24_K, then moved into the wrd_24 folder)
// and in word order (wrd_14_K, a record for each run of a word on a page), with a flag for each record that the same
// word follows later on the same page (wrd_25_K). It writes the page lists
// (page_groups.h) and sets the group count.
#ifndef TEXTPAIR_INDEXING_WORD_LIST_CHAIN_H_
#define TEXTPAIR_INDEXING_WORD_LIST_CHAIN_H_

#include <cstddef>

#include "common/run_state.h"
#include "indexing/occurrence_numbers.h"

namespace textpair {

inline constexpr std::size_t kWindowWords = TextOrderSlots::kMostWords;

// The phase; ends the run when a sort or a file fails it. The words' ids
// and numbers are joined with their places in windows of `window_words`
// ordinals (at most 2^24): a run of no more words is one window held as
// it is numbered.
Flow build_word_lists(Context& ctx, std::size_t window_words = kWindowWords);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_WORD_LIST_CHAIN_H_
