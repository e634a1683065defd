// Fuzzes the record-line reader: any bytes must split into exactly the asked
// number of fields without reading out of bounds, and records written by
// format_record must read back as the fields that were written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/records.h"

namespace {

constexpr std::size_t kMaxFieldBytes = 4096;

void check(bool condition) {
  if (!condition) std::abort();
}

// Reads the input as a record line of 1 to 12 fields.
void parse_any_line(std::string_view line, std::size_t count) {
  std::vector<std::string> fields;
  textpair::parse_record(line, count, fields);
  check(fields.size() == count);
  for (const std::string& f : fields) check(f.size() <= kMaxFieldBytes);
}

// The split as the record format describes it, byte by byte: blanks and tabs
// before an opening quote are skipped, a quoted field runs to its closing
// quote (or the line's end) and reading goes on after the next comma; a bare
// field runs to the next comma without its surrounding blanks; fields keep
// at most kMaxFieldBytes bytes; missing fields are empty.
std::vector<std::string> split_by_the_rules(std::string_view line, std::size_t count) {
  std::vector<std::string> fields(count);
  std::size_t p = 0;
  for (std::size_t f = 0; f < count; ++f) {
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) ++p;
    if (p >= line.size()) break;
    std::string field;
    bool more = false;
    if (line[p] == '"') {
      const std::size_t close = std::min(line.find('"', p + 1), line.size());
      field = line.substr(p + 1, close - p - 1);
      const std::size_t comma = close < line.size() ? line.find(',', close + 1) : std::string_view::npos;
      more = comma != std::string_view::npos;
      p = more ? comma + 1 : line.size();
    } else {
      const std::size_t comma = std::min(line.find(',', p), line.size());
      std::size_t e = comma;
      while (e > p && (line[e - 1] == ' ' || line[e - 1] == '\t')) --e;
      field = line.substr(p, e - p);
      more = comma < line.size();
      p = comma + 1;
    }
    fields[f] = field.substr(0, kMaxFieldBytes);
    if (!more) break;
  }
  return fields;
}

// Cuts the input at NUL bytes into fields (double quotes dropped, since the
// format has no escaping), writes them as one record and reads it back.
void round_trip(std::string_view data) {
  std::vector<std::string> written(1);
  for (char c : data) {
    if (c == '\0') {
      if (written.size() == 12) break;
      written.emplace_back();
    } else if (c != '"') {
      written.back() += c;
    }
  }
  std::vector<std::string_view> views(written.begin(), written.end());
  std::string line;
  textpair::format_record(views, line);
  check(line.size() >= 2 && line.substr(line.size() - 2) == "\r\n");
  line.resize(line.size() - 2);
  std::vector<std::string> read;
  textpair::parse_record(line, written.size(), read);
  check(read.size() == written.size());
  for (std::size_t i = 0; i < written.size(); ++i) {
    std::string expected = written[i].substr(0, kMaxFieldBytes);
    check(read[i] == expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    parse_any_line({}, 1);
    return 0;
  }
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte picks the field count, the rest is the line.
  std::size_t count = 1 + static_cast<unsigned char>(bytes[0]) % 12;
  parse_any_line(bytes.substr(1), count);
  std::vector<std::string> fields;
  textpair::parse_record(bytes.substr(1), count, fields);
  check(fields == split_by_the_rules(bytes.substr(1), count));
  round_trip(bytes.substr(1));
  return 0;
}
