#include "common/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_names.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::read_file;
using testing::write_file;

// The text as UTF-16 bytes, a mark in front.
std::string utf16(std::u16string_view text, bool big_endian) {
  std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : text) {
    char high = static_cast<char>(u >> 8);
    char low = static_cast<char>(u & 0xFF);
    out += big_endian ? high : low;
    out += big_endian ? low : high;
  }
  return out;
}

TEST(TextEncoding, TheFirstBytesNameIt) {
  struct Case {
    std::string head;
    TextEncoding want;
  } cases[] = {
      {"", TextEncoding::kPlain},
      {"Harbour", TextEncoding::kPlain},
      {"\xEF\xBB\xBFHarbour", TextEncoding::kUtf8WithMark},
      {"\xEF\xBB", TextEncoding::kPlain},
      {"\xFF\xFEH", TextEncoding::kUtf16Le},
      {"\xFF\xFE", TextEncoding::kUtf16Le},
      {"\xFE\xFF", TextEncoding::kUtf16Be},
      {std::string("\xFF\xFE\0\0", 4), TextEncoding::kPlain},  // UTF-32 is not taken for UTF-16
      {"\xFF", TextEncoding::kPlain},
      {"a\xEF\xBB\xBF", TextEncoding::kPlain},
  };
  for (const Case& c : cases) EXPECT_EQ(encoding_of(c.head), c.want) << c.head;
}

TEST(TextEncoding, Utf16BecomesUtf8WhereverThePiecesAreCut) {
  struct Case {
    const char* what;
    std::u16string text;
    std::string want;
  } cases[] = {
      {"line ends kept", u"H\u00e4r\r\nb\n", "H\xC3\xA4r\r\nb\n"},
      {"a pair", u"a\U0001F600b",
       "a\xF0\x9F\x98\x80"
       "b"},
      {"a lone high surrogate", std::u16string(u"a") + char16_t(0xD800) + u"b",
       "a\xEF\xBF\xBD"
       "b"},
      {"a lone low surrogate", std::u16string(u"a") + char16_t(0xDC00), "a\xEF\xBF\xBD"},
      {"a high surrogate last", std::u16string(u"a") + char16_t(0xD83D), "a\xEF\xBF\xBD"},
      {"three bytes", u"\u20ac", "\xE2\x82\xAC"},
  };
  for (bool big_endian : {false, true}) {
    for (const Case& c : cases) {
      std::string bytes = utf16(c.text, big_endian).substr(2);
      for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        Utf16ToUtf8 decoder(big_endian);
        std::string got;
        decoder.convert(std::string_view(bytes).substr(0, cut), got);
        decoder.convert(std::string_view(bytes).substr(cut), got);
        decoder.finish(got);
        EXPECT_EQ(got, c.want) << c.what << ", cut at " << cut << (big_endian ? ", BE" : ", LE");
      }
    }
  }
  Utf16ToUtf8 odd(false);
  std::string got;
  odd.convert(std::string_view("a\0b", 3), got);
  odd.finish(got);
  EXPECT_EQ(got, "a\xEF\xBF\xBD");  // an odd last byte
}

class WriteAsUtf8Test : public testing::WorkFolderTest {};

TEST_F(WriteAsUtf8Test, DropsTheMarkAndConvertsUtf16) {
  // Longer than one read, so that pieces meet inside the text.
  std::u16string long_text;
  for (int i = 0; i < 40000; ++i) long_text += u"\u00e4\U0001F600\r\n";
  std::string long_want;
  for (int i = 0; i < 40000; ++i) long_want += "\xC3\xA4\xF0\x9F\x98\x80\r\n";
  struct Case {
    const char* what;
    std::string bytes;
    std::string want;
  } cases[] = {
      {"plain", "Harbour\r\n", "Harbour\r\n"},
      {"UTF-8 mark", "\xEF\xBB\xBFHarbour\nHarbour\n", "Harbour\nHarbour\n"},
      {"only a mark", "\xEF\xBB\xBF", ""},
      {"UTF-16 LE", utf16(u"Harbour\r\n", false), "Harbour\r\n"},
      {"UTF-16 BE", utf16(u"Harbour\n", true), "Harbour\n"},
      {"long UTF-16 LE", utf16(long_text, false), long_want},
      {"long UTF-8 with mark", "\xEF\xBB\xBF" + long_want, long_want},
  };
  for (const Case& c : cases) {
    write_file("in.txt", c.bytes);
    write_file("out.txt", "old");
    TextEncoding encoding = encoding_of_file(native_path("in.txt"));
    EXPECT_TRUE(write_as_utf8(native_path("in.txt"), encoding, native_path("out.txt")).ok()) << c.what;
    EXPECT_EQ(read_file("out.txt"), c.want) << c.what;
    EXPECT_EQ(read_file("in.txt"), c.bytes) << c.what;
  }
  // A text that cannot be read leaves the copy as it was.
  EXPECT_EQ(encoding_of_file(native_path("missing.txt")), TextEncoding::kPlain);
  EXPECT_TRUE(write_as_utf8(native_path("missing.txt"), TextEncoding::kUtf16Le, native_path("out.txt")).ok());
  EXPECT_EQ(read_file("out.txt"), long_want);
}

}  // namespace
}  // namespace textpair
