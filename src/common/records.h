// Record files: one record per line, every field in double quotes, fields
// separated by commas, CR LF at the end, no escaping. The word lists of the
// indexing and the index site are all kept in this form.
#ifndef TEXTPAIR_COMMON_RECORDS_H_
#define TEXTPAIR_COMMON_RECORDS_H_

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "common/lines.h"

namespace textpair {

// "a","b","c" (without the line end).
std::string format_record(std::initializer_list<std::string_view> fields);
void write_record(LineWriter& out, std::initializer_list<std::string_view> fields);

// Splits one record line into exactly `count` fields. For each field, blanks
// and tabs before the opening quote are skipped, the bytes up to the closing
// quote are kept (at most 4096 of them), then reading goes on after the next
// comma. Missing fields come back empty. An unquoted field runs to the next
// comma, without its surrounding blanks.
void parse_record(std::string_view line, std::size_t count, std::vector<std::string>& fields);
// The same split without copies: the fields are views into `line`.
void split_record(std::string_view line, std::size_t count, std::vector<std::string_view>& fields);

// Reads a record file record by record; past the last record every field
// is empty and next() returns false.
class RecordReader {
 public:
  explicit RecordReader(std::size_t field_count) : count_(field_count) {}
  bool open(const std::string& name) { return lines_.open(name); }
  bool next(std::vector<std::string>& fields);
  void rewind() { lines_.rewind(); }
  void close() { lines_.close(); }

 private:
  std::size_t count_;
  LineReader lines_;
  std::string line_;
};

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_RECORDS_H_
