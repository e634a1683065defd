#include "common/word_records.h"

#include <algorithm>
#include <charconv>

#include "common/bytes.h"

namespace textpair {

namespace {

// The number right-aligned in blanks to `width` characters, more when it has
// more digits.
std::string padded(std::size_t number, std::size_t width) {
  char digits[24];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, number);
  const std::size_t size = static_cast<std::size_t>(end - digits);
  std::string out(size < width ? width - size : 0, ' ');
  out.append(digits, size);
  return out;
}

std::size_t digit_count(std::size_t number) {
  std::size_t count = 1;
  for (; number >= 10; number /= 10) ++count;
  return count;
}

}  // namespace

std::string line_field(std::size_t line) { return padded(line, kLineWidth); }

std::string column_field(std::size_t column, std::size_t line_bytes) {
  return padded(column, std::max(kColumnWidth, digit_count(line_bytes)));
}

std::string group_field(std::size_t group) { return pad_left(std::to_string(group), kGroupWidth); }

void append_word_id(std::string& out, std::uint64_t number) {
  out += "id";
  const std::size_t at = out.size();
  append_number_field(out, number);
  const std::size_t size = out.size() - at;
  if (size < kIdDigits) out.insert(at, kIdDigits - size, '0');
}

std::string_view padded_digits(std::string_view field) { return blanks_trimmed(field); }

bool read_word_id(std::string_view id, std::uint64_t& number) {
  if (id.size() < 3 || id.substr(0, 2) != "id") return false;
  const char* end = id.data() + id.size();
  auto [ptr, ec] = std::from_chars(id.data() + 2, end, number);
  return ec == std::errc() && ptr == end;
}

void append_number_field(std::string& out, std::uint64_t number) {
  char digits[24];
  out.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits));
}

std::uint64_t read_number_field(std::string_view field) {
  std::uint64_t number = 0;
  std::from_chars(field.data(), field.data() + field.size(), number);
  return number;
}

std::string next_page_list(std::size_t group) { return "wrd_24_" + std::to_string(group) + ".txt"; }
std::string kept_next_page_list(std::size_t group) { return "wrd_24\\" + next_page_list(group); }

void append_keyed_record(std::string& out, const KeyedRecord& record) {
  out.clear();
  append_all(out, record.key, "\"", record.page, "\"");
  for (std::size_t i = 0; i < keyed_record::kKeyedLineWidth; ++i) {
    out += static_cast<char>('0' + ((record.line >> (6 * (keyed_record::kKeyedLineWidth - 1 - i))) & 63));
  }
  append_all(out, record.word, "\"");
  append_ordinal(out, record.ordinal);
}

bool read_keyed_record(std::string_view line, KeyedRecord& record) {
  using keyed_record::kKeyedLineWidth;
  const std::size_t key_end = line.find('"');
  if (key_end == std::string_view::npos) return false;
  const std::size_t page_end = line.find('"', key_end + 1);
  if (page_end == std::string_view::npos) return false;
  const std::size_t word_at = page_end + 1 + kKeyedLineWidth;
  if (line.size() < word_at + 1 + kOrdinalWidth || line[line.size() - kOrdinalWidth - 1] != '"') return false;
  record.key = line.substr(0, key_end);
  record.page = line.substr(key_end + 1, page_end - key_end - 1);
  record.line = 0;
  for (std::size_t i = 0; i < kKeyedLineWidth; ++i) {
    record.line = (record.line << 6) | (static_cast<unsigned char>(line[page_end + 1 + i] - '0') & 63u);
  }
  record.word = line.substr(word_at, line.size() - kOrdinalWidth - 1 - word_at);
  record.ordinal = read_ordinal(line.substr(line.size() - kOrdinalWidth));
  return true;
}

void append_word_order_record(std::string& out, std::string_view id, std::string_view occurrence) {
  out += '"';
  out += id;
  out += "\",";
  out += occurrence;
}

std::string word_id(std::uint64_t number) {
  std::string id;
  append_word_id(id, number);
  return id;
}

void append_ordinal(std::string& out, std::uint64_t number) {
  char key[kOrdinalWidth];
  for (std::size_t i = 0; i < kOrdinalWidth; ++i) key[i] = static_cast<char>('0' + ((number >> (42 - 6 * i)) & 63));
  out.append(key, kOrdinalWidth);
}

std::uint64_t read_ordinal(std::string_view key) {
  std::uint64_t number = 0;
  const std::size_t size = std::min(key.size(), kOrdinalWidth);
  for (std::size_t i = 0; i < size; ++i) number = (number << 6) | (static_cast<unsigned char>(key[i] - '0') & 63u);
  return number;
}

void append_id_key(std::string& out, std::string_view id) {
  std::string_view digits = id.substr(std::min<std::size_t>(2, id.size()), kIdKeyWidth);
  out += digits;
  out.append(kIdKeyWidth - digits.size(), ' ');
}

}  // namespace textpair
