// Fuzzes the record-line reader: any bytes must split into exactly the asked
// number of fields without reading out of bounds, and records written by
// format_record must read back as the fields that were written.
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
  round_trip(bytes.substr(1));
  return 0;
}
