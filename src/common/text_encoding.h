// The encodings of a text that its first bytes name: a UTF-8 byte-order
// mark, which editors put before UTF-8 text, and the UTF-16 marks of texts
// saved as "Unicode". The program works on UTF-8 without a mark; such texts
// are written out that way.
#ifndef TEXTPAIR_COMMON_TEXT_ENCODING_H_
#define TEXTPAIR_COMMON_TEXT_ENCODING_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "common/io_failures.h"

namespace textpair {

enum class TextEncoding {
  kPlain,         // no mark: taken as it is
  kUtf8WithMark,  // EF BB BF
  kUtf16Le,       // FF FE (but not FF FE 00 00, UTF-32's mark)
  kUtf16Be,       // FE FF
};

// The encoding that the first bytes of a text name (four are enough).
TextEncoding encoding_of(std::string_view head);

// The byte-order mark's length: 0, 2 or 3.
std::size_t mark_size(TextEncoding encoding);

// Turns UTF-16 into UTF-8 a piece at a time; a code unit or a surrogate pair
// that the end of a piece cuts waits for the next piece. A surrogate
// without its partner becomes U+FFFD, and so does an odd last byte.
class Utf16ToUtf8 {
 public:
  explicit Utf16ToUtf8(bool big_endian) : big_endian_(big_endian) {}
  // Appends the UTF-8 of the piece's complete characters to `out`.
  void convert(std::string_view bytes, std::string& out);
  // Appends what is left at the end of the text.
  void finish(std::string& out);

 private:
  bool big_endian_;
  std::string carry_;     // a byte of a cut code unit
  std::u16string units_;  // a high surrogate waiting for its partner
};

// Reads the native file `from` and writes its text as UTF-8 without a mark
// to the native file `to`; `encoding` is what encoding_of gave for `from`
// (kPlain copies it byte for byte). A `from` that cannot be opened leaves
// `to` as it was. Short when `to` could not be written whole.
IoResult write_as_utf8(const std::string& from, TextEncoding encoding, const std::string& to);

// The encoding of the native file, from its first bytes; kPlain when it
// cannot be read.
TextEncoding encoding_of_file(const std::string& native);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_TEXT_ENCODING_H_
