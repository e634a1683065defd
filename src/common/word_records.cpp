#include "common/word_records.h"

#include <algorithm>

#include "common/bytes.h"

namespace textpair {

std::string line_field(std::size_t line) { return pad_left(std::to_string(line), kLineWidth); }

std::string column_field(std::size_t column, std::size_t line_bytes) {
  return pad_left(std::to_string(column), std::max(kColumnWidth, std::to_string(line_bytes).size()));
}

std::string group_field(std::size_t group) { return pad_left(std::to_string(group), kGroupWidth); }

std::string word_id(std::uint64_t number) { return "id" + pad_left(std::to_string(number), kIdDigits, '0'); }

void append_ordinal(std::string& out, std::uint64_t number) {
  for (int shift = 42; shift >= 0; shift -= 6) out += static_cast<char>('0' + ((number >> shift) & 63));
}

void append_id_key(std::string& out, std::string_view id) {
  std::string_view digits = id.substr(std::min<std::size_t>(2, id.size()), kIdKeyWidth);
  out += digits;
  out.append(kIdKeyWidth - digits.size(), ' ');
}

}  // namespace textpair
