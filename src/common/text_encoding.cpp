#include "common/text_encoding.h"

#include <vector>

#include "platform/file_io.h"
#include "platform/utf16.h"

namespace textpair {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::size_t kPiece = 1 << 16;

bool is_high_surrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }

}  // namespace

TextEncoding encoding_of(std::string_view head) {
  if (head.starts_with(kUtf8Mark)) return TextEncoding::kUtf8WithMark;
  if (head.starts_with("\xFE\xFF")) return TextEncoding::kUtf16Be;
  if (head.starts_with("\xFF\xFE") && !head.starts_with(std::string_view("\xFF\xFE\0\0", 4))) {
    return TextEncoding::kUtf16Le;
  }
  return TextEncoding::kPlain;
}

std::size_t mark_size(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kPlain: return 0;
    case TextEncoding::kUtf8WithMark: return kUtf8Mark.size();
    case TextEncoding::kUtf16Le:
    case TextEncoding::kUtf16Be: return 2;
  }
  return 0;
}

void Utf16ToUtf8::convert(std::string_view bytes, std::string& out) {
  std::size_t at = 0;
  auto take_unit = [&](unsigned char first, unsigned char second) {
    units_ += static_cast<char16_t>(big_endian_ ? (first << 8) | second : (second << 8) | first);
  };
  if (!carry_.empty() && !bytes.empty()) {
    take_unit(static_cast<unsigned char>(carry_[0]), static_cast<unsigned char>(bytes[0]));
    carry_.clear();
    at = 1;
  }
  for (; at + 1 < bytes.size(); at += 2) {
    take_unit(static_cast<unsigned char>(bytes[at]), static_cast<unsigned char>(bytes[at + 1]));
  }
  if (at < bytes.size()) carry_.assign(1, bytes[at]);
  // A high surrogate at the end may be paired in the next piece.
  std::size_t ready = units_.size();
  if (ready > 0 && is_high_surrogate(units_[ready - 1])) --ready;
  out += utf16_to_utf8(std::u16string_view(units_).substr(0, ready));
  units_.erase(0, ready);
}

void Utf16ToUtf8::finish(std::string& out) {
  out += utf16_to_utf8(units_);
  units_.clear();
  if (!carry_.empty()) out += "\xEF\xBF\xBD";
  carry_.clear();
}

TextEncoding encoding_of_file(const std::string& native) {
  File in(native, File::Mode::kRead);
  if (!in.is_open()) return TextEncoding::kPlain;
  char head[4];
  std::size_t got = 0;
  while (got < sizeof head) {
    std::size_t n = in.read(head + got, sizeof head - got);
    if (n == 0) break;
    got += n;
  }
  return encoding_of(std::string_view(head, got));
}

IoResult write_as_utf8(const std::string& from, TextEncoding encoding, const std::string& to) {
  File in(from, File::Mode::kRead);
  // Nothing is written then: `to` stays as it was.
  if (!in.is_open()) return {};
  File out(to, File::Mode::kCreate);
  const bool utf16 = encoding == TextEncoding::kUtf16Le || encoding == TextEncoding::kUtf16Be;
  Utf16ToUtf8 decoder(encoding == TextEncoding::kUtf16Be);
  std::size_t skip = mark_size(encoding);
  std::vector<char> piece(kPiece);
  std::string text;
  for (;;) {
    std::size_t n = in.read(piece.data(), piece.size());
    if (n == 0) break;
    std::string_view bytes(piece.data(), n);
    std::size_t dropped = skip < n ? skip : n;
    bytes.remove_prefix(dropped);
    skip -= dropped;
    if (utf16) {
      text.clear();
      decoder.convert(bytes, text);
      out.write(text);
    } else {
      out.write(bytes);
    }
  }
  if (utf16) {
    text.clear();
    decoder.finish(text);
    out.write(text);
  }
  IoResult written = out.close();
  return in.failed() ? in.status() : written;
}

}  // namespace textpair
