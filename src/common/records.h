// Record files: one record per line, every field in double quotes, fields
// separated by commas, CR LF at the end, no escaping. The word lists of the
// indexing and the index site are all kept in this form (their layouts are
// in word_records.h). A record is formatted by format_record or built
// field by field with append_field (the word lists' own fields through the
// writers of word_records.h), and written by RecordWriter or, where a
// record line is built up in memory, as a line of its own.
#ifndef TEXTPAIR_COMMON_RECORDS_H_
#define TEXTPAIR_COMMON_RECORDS_H_

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/lines.h"

namespace textpair {

// The fields of one record of a layout with `count` fields, set by name
// (record[layout::kWord] = ...) before the record is written.
template <std::size_t count>
using RecordFields = std::array<std::string_view, count>;

// One record as a line of the file, CR LF included, into `line`.
void format_record(std::span<const std::string_view> fields, std::string& line);

// Builds a record line from parts, without its line end: `line` gets one
// more field, or the fields of a record line as format_record writes them
// (without its line end).
void append_field(std::string& line, std::string_view field);
void append_fields(std::string& line, std::string_view record);

// Writes records, each built in one reusable buffer: "a","b","c" CR LF.
class RecordWriter {
 public:
  bool create(const std::string& name) { return out_.create(name); }
  void write(std::span<const std::string_view> fields);
  // A record line built with append_field, without its line end.
  void write_built(std::string_view line) { out_.line(line); }
  // Short when the file could not be made or written completely.
  IoResult close() { return out_.close(); }

 private:
  LineWriter out_;
  std::string line_;
};

// The most bytes of a field that a reader keeps.
inline constexpr std::size_t kMaxFieldBytes = 4096;

// Splits one record line into exactly `count` fields. For each field, blanks
// and tabs before the opening quote are skipped, the bytes up to the closing
// quote are kept (at most 4096 of them), then reading goes on after the next
// comma. Missing fields come back empty. An unquoted field runs to the next
// comma, without its surrounding blanks.
void parse_record(std::string_view line, std::size_t count, std::vector<std::string>& fields);
// The same split without copies: the fields are views into `line`.
void split_record(std::string_view line, std::size_t count, std::vector<std::string_view>& fields);

namespace records_detail {
// The fast path of split_record, for the form every writer makes,
// "a","b","c": each field quoted, each closing quote followed by a comma and
// the next field's opening quote. Both split it as the general rules would,
// one sixteen bytes at a time (with SSE2 where the build has it), the other
// eight at a time; split_record takes the faster of the two. False when the
// line has another form (the fields are then left half set).
bool split_written_form_16(std::string_view line, std::size_t count, std::string_view* fields);
bool split_written_form_8(std::string_view line, std::size_t count, std::string_view* fields);
}  // namespace records_detail

// Reads a record file record by record, each field a view into the current
// line that holds until the next call of next().
class RecordLines {
 public:
  RecordLines(const std::string& name, std::size_t count) : in_(name), count_(count) {}
  // The same, noting a failed open or read in `failures`.
  RecordLines(const std::string& name, std::size_t count, IoFailures& failures) : in_(name, failures), count_(count) {}
  bool is_open() const { return in_.is_open(); }
  bool next();
  std::string_view operator[](std::size_t i) const { return fields_[i]; }
  // The current record as it stands in the file, without its line end.
  std::string_view line() const { return line_; }

 private:
  LineReader in_;
  std::size_t count_;
  std::string_view line_;
  std::vector<std::string_view> fields_;
};

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_RECORDS_H_
