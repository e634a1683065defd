#include "common/records.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "common/cpu.h"

namespace textpair {

namespace {

// The first double quote at or after `p`, or `end`. Fields are short, so
// eight bytes are looked at at a time rather than through a library call,
// in the caller's own code.
[[gnu::always_inline]] inline const char* find_quote(const char* p, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    constexpr std::uint64_t kQuotes = kOnes * '"';
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      const std::uint64_t x = word ^ kQuotes;  // a quote becomes a zero byte
      // The lowest marked byte is the first zero byte; marks above it may be false.
      const std::uint64_t zero = (x - kOnes) & ~x & kHighs;
      if (zero != 0) return p + (std::countr_zero(zero) >> 3);
      p += 8;
    }
  }
  while (p < end && *p != '"') ++p;
  return p;
}

inline std::uint32_t quote_mask(const char* p) { return cpu::equal_bytes_16(p, '"'); }

// The bits of the double quotes among the 16 bytes at `p`, of which the
// first `size` count (at most 16), in a line that starts at `begin`. A
// short step at the end of a line of 16 bytes or more is read as the line's
// last 16 bytes; nothing outside the line is read.
inline std::uint32_t quote_bits(const char* begin, const char* p, std::size_t size) {
  if (size >= 16) return quote_mask(p);
  if (p - begin + size >= 16) return quote_mask(p + size - 16) >> (16 - size);
  alignas(16) char tail[16] = {};
  for (std::size_t i = 0; i < size; ++i) tail[i] = p[i];
  return quote_mask(tail) & ((std::uint32_t{1} << size) - 1);
}

}  // namespace

namespace records_detail {

// The quotes are found sixteen bytes at a time; in the written form they
// alternate between opening and closing ones.
bool split_written_form_16(std::string_view line, std::size_t count, std::string_view* fields) {
  if (count == 0) return true;
  const char* const begin = line.data();
  const std::size_t size = line.size();
  if (size == 0 || begin[0] != '"') return false;
  std::size_t chunk = 0;
  std::uint32_t bits = quote_bits(begin, begin, std::min<std::size_t>(size, 16)) & ~std::uint32_t{1};
  // The place of the next double quote; false when there is none.
  auto next_quote = [&](std::size_t& at) {
    while (bits == 0) {
      chunk += 16;
      if (chunk >= size) return false;
      bits = quote_bits(begin, begin + chunk, std::min<std::size_t>(size - chunk, 16));
    }
    at = chunk + static_cast<std::size_t>(std::countr_zero(bits));
    bits &= bits - 1;
    return true;
  };
  std::size_t open = 1;  // where the current field's bytes start
  for (std::size_t f = 0;;) {
    std::size_t close = 0;
    if (!next_quote(close) || close - open > kMaxFieldBytes) return false;
    fields[f] = std::string_view(begin + open, close - open);
    if (++f == count) return true;
    // "," and the next field's opening quote, the next quote there is.
    std::size_t next = 0;
    if (close + 2 >= size || begin[close + 1] != ',' || !next_quote(next) || next != close + 2) return false;
    open = next + 1;
  }
}

// The quotes are found eight bytes at a time, in plain C++.
bool split_written_form_8(std::string_view line, std::size_t count, std::string_view* fields) {
  if (count == 0) return true;
  const char* p = line.data();
  const char* const end = p + line.size();
  for (std::size_t f = 0;;) {
    if (p >= end || *p != '"') return false;
    const char* const open = ++p;
    p = find_quote(p, end);
    const std::size_t size = static_cast<std::size_t>(p - open);
    if (p == end || size > kMaxFieldBytes) return false;
    fields[f] = std::string_view(open, size);
    if (++f == count) return true;
    if (end - p < 2 || p[1] != ',') return false;
    p += 2;
  }
}

}  // namespace records_detail

namespace {

// Where the processor compares sixteen bytes at once, that split is the
// faster one; elsewhere the eight-byte one is.
inline bool split_written_form(std::string_view line, std::size_t count, std::string_view* fields) {
  if constexpr (cpu::kVectorBytes) {
    return records_detail::split_written_form_16(line, count, fields);
  } else {
    return records_detail::split_written_form_8(line, count, fields);
  }
}

// Copies `bytes` to `at` and returns the end. Fields are mostly short: up to
// sixteen bytes are copied in two overlapping steps, in the caller's code.
[[gnu::always_inline]] inline char* put_bytes(char* at, std::string_view bytes) {
  const std::size_t n = bytes.size();
  const char* from = bytes.data();
  if (n >= 8 && n <= 16) {
    std::memcpy(at, from, 8);
    std::memcpy(at + n - 8, from + n - 8, 8);
  } else if (n >= 4 && n < 8) {
    std::memcpy(at, from, 4);
    std::memcpy(at + n - 4, from + n - 4, 4);
  } else if (n < 4) {
    for (std::size_t i = 0; i < n; ++i) at[i] = from[i];
  } else {
    std::memcpy(at, from, n);
  }
  return at + n;
}

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
    at = put_bytes(at, fields[i]);
    *at++ = '"';
  }
  *at++ = '\r';
  *at = '\n';
}

void append_field(std::string& line, std::string_view field) {
  const std::size_t from = line.size();
  const bool comma = from != 0;
  line.resize(from + comma + field.size() + 2);
  char* at = line.data() + from;
  if (comma) *at++ = ',';
  *at++ = '"';
  at = put_bytes(at, field);
  *at = '"';
}

void append_fields(std::string& line, std::string_view record) {
  if (!line.empty() && !record.empty()) line += ',';
  line += record;
}

void RecordWriter::write(std::span<const std::string_view> fields) {
  format_record(fields, line_);
  out_.raw(line_);
}

void split_record(std::string_view line, std::size_t count, std::vector<std::string_view>& fields) {
  if (fields.size() != count) fields.resize(count);
  if (split_written_form(line, count, fields.data())) return;
  const char* p = line.data();
  const char* const end = p + line.size();
  std::size_t f = 0;
  for (; f < count; ++f) {
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    if (p >= end) break;
    std::string_view& field = fields[f];
    const char* next = nullptr;  // where the next field starts; none when null
    if (*p == '"') {
      const char* open = p + 1;
      const char* close = find_quote(open, end);
      field = std::string_view(open, static_cast<std::size_t>(close - open));
      const char* after = close < end ? close + 1 : end;
      if (after < end && *after == ',') {
        next = after + 1;  // the usual case: the next field follows right away
      } else if (after < end) {
        const void* comma = std::memchr(after, ',', static_cast<std::size_t>(end - after));
        if (comma != nullptr) next = static_cast<const char*>(comma) + 1;
      }
    } else {
      const char* comma = p;
      while (comma < end && *comma != ',') ++comma;
      const char* e = comma;
      while (e > p && (e[-1] == ' ' || e[-1] == '\t')) --e;
      field = std::string_view(p, static_cast<std::size_t>(e - p));
      if (comma < end) next = comma + 1;
    }
    if (field.size() > kMaxFieldBytes) field = field.substr(0, kMaxFieldBytes);
    if (next == nullptr) {
      ++f;
      break;
    }
    p = next;
  }
  for (; f < count; ++f) fields[f] = std::string_view();
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

}  // namespace textpair
