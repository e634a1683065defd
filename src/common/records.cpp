#include "common/records.h"

#include <algorithm>

namespace textpair {

namespace {
constexpr std::size_t kMaxFieldBytes = 4096;
}  // namespace

void format_record(std::span<const std::string_view> fields, std::string& line) {
  // Sized once, then filled: "a","b" CR LF.
  std::size_t size = 2;
  for (std::string_view f : fields) size += f.size() + 3;
  if (!fields.empty()) --size;
  line.resize(size);
  char* at = line.data();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) *at++ = ',';
    *at++ = '"';
    at = std::copy(fields[i].begin(), fields[i].end(), at);
    *at++ = '"';
  }
  *at++ = '\r';
  *at = '\n';
}

void RecordWriter::write(std::span<const std::string_view> fields) {
  format_record(fields, line_);
  out_.raw(line_);
}

void split_record(std::string_view line, std::size_t count, std::vector<std::string_view>& fields) {
  fields.assign(count, std::string_view());
  std::size_t i = 0;
  for (std::size_t f = 0; f < count && i <= line.size(); ++f) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string_view& field = fields[f];
    if (line[i] == '"') {
      std::size_t close = line.find('"', i + 1);
      std::size_t end = close == std::string_view::npos ? line.size() : close;
      field = line.substr(i + 1, end - i - 1);
      i = end + 1;
      if (i < line.size() && line[i] == ',') {
        ++i;  // the usual case: the next field follows right away
      } else {
        std::size_t comma = line.find(',', std::min(i, line.size()));
        i = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
      }
    } else {
      std::size_t comma = line.find(',', i);
      std::size_t end = comma == std::string_view::npos ? line.size() : comma;
      std::size_t e = end;
      while (e > i && (line[e - 1] == ' ' || line[e - 1] == '\t')) --e;
      field = line.substr(i, e - i);
      i = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
    }
    if (field.size() > kMaxFieldBytes) field = field.substr(0, kMaxFieldBytes);
  }
}

void parse_record(std::string_view line, std::size_t count, std::vector<std::string>& fields) {
  thread_local std::vector<std::string_view> views;  // kept from record to record
  split_record(line, count, views);
  fields.assign(views.begin(), views.end());
}

bool RecordLines::next() {
  if (!in_.next(line_)) return false;
  split_record(line_, count_, fields_);
  return true;
}

bool RecordReader::next(std::vector<std::string>& fields) {
  if (!lines_.next(line_)) {
    fields.assign(count_, std::string());
    return false;
  }
  parse_record(line_, count_, fields);
  return true;
}

}  // namespace textpair
