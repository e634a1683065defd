// wrd_01_03.txt, the words in text order with their places, as the word
// extraction cuts them: written by the extraction, read back by the word
// lists, which join each word with its id and number.
//
// The places are kept short, as a page's words share its name and a line's
// words share its number: a line "P" and the page when the page changes,
// "L" and the padded line number (line_field) when the line changes, and one
// line for each word: its padded column (column_field), "|", the word.
#ifndef TEXTPAIR_INDEXING_TEXT_PLACES_H_
#define TEXTPAIR_INDEXING_TEXT_PLACES_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "common/io_failures.h"
#include "common/lines.h"

namespace textpair {

class TextPlaceWriter {
 public:
  bool create(const std::string& name) { return out_.create(name); }
  // The next word in text order: its page, padded line and column, and the
  // word as cut.
  void add(std::string_view page, std::string_view line, std::string_view column, std::string_view word);
  // Short when the list could not be written whole.
  IoResult close() { return out_.close(); }

 private:
  LineWriter out_;
  std::string page_, line_, buffer_;
  bool started_ = false;
};

class TextPlaceReader {
 public:
  TextPlaceReader(const std::string& name, IoFailures& failures) : in_(name, failures) {}
  // On to the next word; false after the last.
  bool next();
  // The word's ordinal: 0 for the first word of the list.
  std::uint64_t ordinal() const { return ordinal_ - 1; }
  std::string_view page() const { return page_; }
  // The word's place as its occurrence record begins, in place of what
  // `record` held: "page","line","column","word" (text_place_record).
  void place_record(std::string& record) const;

 private:
  LineReader in_;
  std::string page_, line_;
  std::string_view column_, word_;  // in the reader's current line
  std::uint64_t ordinal_ = 0;       // words read
};

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_TEXT_PLACES_H_
