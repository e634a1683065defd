// The records of the word lists: the scratch files that carry every word
// occurrence from the pages to the site. Each layout below is the one
// definition of a file's fields, in their order, shared by the phase that
// writes the file and the phases that read it. Each kind of field (word
// ids, plain numbers, numbers padded to a width) has its one writer and its
// one reader here. A record is one line of quoted fields (see records.h).
#ifndef TEXTPAIR_COMMON_WORD_RECORDS_H_
#define TEXTPAIR_COMMON_WORD_RECORDS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace textpair {

// Widths of the padded fields.
inline constexpr std::size_t kLineWidth = 10;   // line number, right-aligned in blanks
inline constexpr std::size_t kColumnWidth = 6;  // column of the word's first byte, right-aligned in blanks
                                                // (wider on a line longer than 999,999 bytes, see below)
inline constexpr std::size_t kGroupWidth = 5;   // group number, right-aligned in blanks
inline constexpr std::size_t kIdDigits = 8;     // word id: "id" and the number in zeros

// The padded fields; a number longer than its width keeps all its digits.
// Read back with padded_digits.
std::string line_field(std::size_t line);
// The column of a word on a line of `line_bytes` bytes. On a line longer
// than 999,999 bytes every column has as many characters as the line's
// length has digits: the records of one line then sort by bytes in text
// order, past the sixth digit too. Lines up to 999,999 bytes keep 6.
std::string column_field(std::size_t column, std::size_t line_bytes);
std::string group_field(std::size_t group);
// The digits of a padded field, without its blanks.
std::string_view padded_digits(std::string_view field);

// "id" and the number in kIdDigits digits (more when it needs them).
std::string word_id(std::uint64_t number);
void append_word_id(std::string& out, std::uint64_t number);
// The number of a word id; false for anything but "id" and digits.
bool read_word_id(std::string_view id, std::uint64_t& number);
// The ids below this number have exactly kIdDigits digits, so that their
// byte order is their numbers' order.
inline constexpr std::uint64_t kFixedWidthIds = [] {
  std::uint64_t ids = 1;
  for (std::size_t i = 0; i < kIdDigits; ++i) ids *= 10;
  return ids;
}();

// Plain numbers (the occurrence number n): decimal, no padding; a field
// that is not a number reads as 0.
void append_number_field(std::string& out, std::uint64_t number);
std::uint64_t read_number_field(std::string_view field);

// Sort keys: fixed-width prefixes that put records in order by their bytes
// alone; the sorts write the records without them.
inline constexpr std::size_t kOrdinalWidth = 8;
inline constexpr std::size_t kIdKeyWidth = 16;
// A number below 2^48 as eight characters from '0' on, six bits each, the
// highest first: their byte order is the numbers' order.
void append_ordinal(std::string& out, std::uint64_t number);
std::uint64_t read_ordinal(std::string_view key);
// An id's digits left-aligned in 16 characters, padded with blanks: their
// byte order is the order of the ids as bytes (up to 16 digits).
void append_id_key(std::string& out, std::string_view id);

// wrd_01_02_N.txt, written by the word extraction: every word cut from the
// page files, led by the word in lower case (the key of its id), in sorted
// pieces (byte order of the records). Words holding "&nbsp;" in any case
// are left out. The ordinal (append_ordinal) numbers the words in text
// order.
//
// A keyed record is kept short, as the word lists need no more of it: the
// key, a double quote, the page, a double quote, the line number in
// kKeyedLineWidth characters (six bits each, the highest first), the word,
// a double quote and the ordinal. Keys, pages and words hold no double
// quote (the extraction turns them into apostrophes), so the records sort
// by key, page, line, word and ordinal, in that order: the order of the
// key, page, line, word and column of each word, since a line's words come
// in the order of their columns.
namespace keyed_record {
inline constexpr std::size_t kKeyedLineWidth = 6;
// The fewest bytes a record takes in its piece: a key and a word of three
// bytes or more, a page name holding ".htm", the three quotes, the line,
// the ordinal and the line end. A piece's bytes divided by this bound the
// records it holds.
inline constexpr std::size_t kShortestWord = 3;
inline constexpr std::size_t kLeastBytes = 2 * kShortestWord + std::size_t{4} + 3 + kKeyedLineWidth + kOrdinalWidth + 2;
}  // namespace keyed_record
struct KeyedRecord {
  std::string_view key, page, word;
  std::uint64_t line = 0;
  std::uint64_t ordinal = 0;
};
// The record, without its line end, into `out` in place of what it held.
void append_keyed_record(std::string& out, const KeyedRecord& record);
// The fields of a record line (views into it); false for a line of another
// form.
bool read_keyed_record(std::string_view line, KeyedRecord& record);

// wrd_01_03.txt, written by the word extraction: the same words in text
// order, one record each, their place only (read by the word lists, which
// add each word's id and number to make its occurrence record).
namespace text_place_record {
enum Field : std::size_t { kPage, kLine, kColumn, kWord, kFieldCount };
}  // namespace text_place_record

// The occurrences on the page files, numbered word by word, sorted into
// text order (handed from the sort to the group split, not written).
namespace occurrence_record {
enum Field : std::size_t { kPage, kLine, kColumn, kWord, kId, kN, kFieldCount };
}  // namespace occurrence_record

// A group's occurrences in word order: by id, each id's in text order
// (handed from the word lists' sorts to the writer of wrd_14_K, not
// written).
namespace word_order_record {
enum Field : std::size_t { kId, kPage, kLine, kColumn, kWord, kIdAgain, kN, kFieldCount };
}  // namespace word_order_record

// wrd_14_K.txt: a group's occurrences in word order, one record for each
// run of them with the same id on the same page: the run's first
// occurrence (its id, page, word and number) and how many the run holds
// (read by the word index pages and, all groups merged, by the index of
// all words, which need no more of each occurrence).
namespace word_page_run_record {
enum Field : std::size_t { kId, kPage, kWord, kN, kCount, kFieldCount };
}  // namespace word_page_run_record

// wrd_24_K.txt: a group's occurrences in text order with the next page that
// holds the word, empty when there is none (read by the annotated pages and
// the search pages).
namespace next_page_record {
enum Field : std::size_t { kPage, kLine, kColumn, kWord, kId, kN, kNext, kFieldCount };
}  // namespace next_page_record
// Its name in the work folder, where the word lists write it, and in the
// wrd_24 folder, which keeps it after the run: it is moved there once
// written, and the site's pages are made from it there.
std::string next_page_list(std::size_t group);
std::string kept_next_page_list(std::size_t group);

// wrd_14_K.txt's one writer: a word-order record is the id in front of the
// occurrence record (`occurrence`, as format_record writes it, without its
// line end). Appended to `out` as a record of its own, without a line end,
// whatever `out` holds before it.
void append_word_order_record(std::string& out, std::string_view id, std::string_view occurrence);

// An occurrence record is a word's place with its id and number; a group's
// records are the occurrence records with one field more: the next page
// after them, the id in front of them.
namespace record_layouts {
constexpr std::size_t n(std::size_t field) { return field; }
static_assert(n(occurrence_record::kPage) == n(text_place_record::kPage) &&
              n(occurrence_record::kLine) == n(text_place_record::kLine) &&
              n(occurrence_record::kColumn) == n(text_place_record::kColumn) &&
              n(occurrence_record::kWord) == n(text_place_record::kWord) &&
              n(occurrence_record::kId) == n(text_place_record::kFieldCount) &&
              n(occurrence_record::kN) == n(occurrence_record::kId) + 1);
static_assert(n(next_page_record::kPage) == n(occurrence_record::kPage) &&
              n(next_page_record::kN) == n(occurrence_record::kN) &&
              n(next_page_record::kNext) == n(occurrence_record::kFieldCount));
static_assert(n(word_order_record::kId) == 0 && n(word_order_record::kPage) == n(occurrence_record::kPage) + 1 &&
              n(word_order_record::kN) == n(occurrence_record::kN) + 1 &&
              n(word_order_record::kFieldCount) == n(occurrence_record::kFieldCount) + 1);
}  // namespace record_layouts

// wrd_25_K.txt: a flag file (flag_file.h), one flag a record of wrd_24_K:
// whether the same word occurs again later on the same page (read by the
// annotated pages, which would otherwise find each word's last occurrence on
// each page in a first pass over wrd_24_K).

// group_search_K.txt: the pages of group K, one a record.
namespace group_page_record {
enum Field : std::size_t { kPage, kFieldCount };
}  // namespace group_page_record

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_WORD_RECORDS_H_
