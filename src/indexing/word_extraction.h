// Word extraction: every word of the page files, keyed and sorted, into
// the pieces wrd_01_02_N.txt.
//
// A page line is scanned for script and style blocks, numbered link lines,
// tags (which may run over several lines) and blanks; the text between tags
// and blanks is cut into words. Each word of three bytes or more becomes one
// record (key, page, line, word, column), the key being the word in lower
// case; the records are sorted as they come.
#ifndef TEXTPAIR_INDEXING_WORD_EXTRACTION_H_
#define TEXTPAIR_INDEXING_WORD_EXTRACTION_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/external_sort.h"
#include "common/records.h"
#include "common/run_state.h"
#include "indexing/text_places.h"

namespace textpair {

// One word cut from a line: the scan position at which it was cut (the blank,
// the "<" or the line's last byte), the column of its first byte, and the
// word with its double quotes cleaned.
struct CutWord {
  std::size_t scan_pos = 0;
  std::size_t column = 0;
  std::string word;
};

// What the scan carries from line to line.
struct ScanState {
  // Per page: reset by start_page().
  bool script_opened = false;
  bool script_closed = false;
  bool style_opened = false;
  bool style_closed = false;
  // Over all pages: a tag was left open at the end of the last scanned line.
  bool open_tag_carry = false;

  void start_page() { script_opened = script_closed = style_opened = style_closed = false; }
};

// Scans one page line. Returns false when the line is skipped (script or
// style block, numbered link, look_at: line, inside a tag). Otherwise
// `words` holds the words of three bytes or more in the order they were cut.
bool scan_line(std::string_view line, ScanState& state, std::vector<CutWord>& words);

// Receives each word as it is cut; the word is only valid during the call.
using OnWord = std::function<void(const CutWord&)>;

// The same scan without a list of the words: `on_word` gets each word as it
// is cut.
bool scan_line(std::string_view line, ScanState& state, const OnWord& on_word);

// Extracts the words of the page files named in `listing` (one name per
// line, as "dir /b" writes them) into the sorter, as keyed records
// (keyed_record in word_records.h), and, with `text`, in text order into
// `text` (see kTextOrderWords). Gives the number of words.
std::uint64_t extract_listed_pages(const std::string& listing, ExternalSorter& sorter, IoFailures& failures,
                                   TextPlaceWriter* text = nullptr);

// The keyed words in key order, as the extraction leaves them for the word
// lists: sorted pieces wrd_01_02_1.txt, ... (one when they fit), read with
// merge_pieces.
inline const SortScratch kKeyedPieces{"wrd_01_02_", "wrd_01_02.txt"};

// The same words in text order with their places (text_places.h), which
// the word lists join with the words' ids and numbers.
inline const std::string kTextOrderWords = "wrd_01_03.txt";

// The phase: clears the work folder's .txt files, lists the page files into
// dir_02.txt and extracts their words into kKeyedPieces and kTextOrderWords. Ends the run when
// the sort fails.
Flow extract_words(Context& ctx);

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_WORD_EXTRACTION_H_
