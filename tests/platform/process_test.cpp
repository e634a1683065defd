#include "platform/process.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/utf16.h"

namespace textpair {
namespace {

// What the C runtime makes of an argument again is the argument itself.
TEST(QuoteWindowsArgument, SurvivesTheRuntimesSplitting) {
  struct Case {
    const char* argument;
    const char* quoted;
  } cases[] = {
      {"-nv", "-nv"},
      {"", "\"\""},
      {"two words", "\"two words\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\dir\\", "C:\\dir\\"},
      {"C:\\my dir\\", "\"C:\\my dir\\\\\""},
      {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},
      {"--output-document=x y.htm", "\"--output-document=x y.htm\""},
  };
  for (const Case& c : cases) EXPECT_EQ(quote_windows_argument(c.argument), c.quoted) << c.argument;
  EXPECT_EQ(windows_command_line({"wget", "-nv", "a b"}), "wget -nv \"a b\"");
}

TEST(Utf16, RoundTripsAndReplacesBadBytes) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
    std::string back;
  } cases[] = {
      {"abc", u"abc", "abc"},
      {"\xc5\xa1kola", u"\u0161kola", "\xc5\xa1kola"},
      {"\xf0\x9f\x98\x80", u"\xD83D\xDE00", "\xf0\x9f\x98\x80"},
      {"a\xff"
       "b",
       u"a\uFFFDb",
       "a\xef\xbf\xbd"
       "b"},
      {"\xc0\xaf", u"\uFFFD", "\xef\xbf\xbd"},  // an overlong "/" is no separator
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utf8_to_utf16(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(utf16_to_utf8(utf8_to_utf16(c.utf8)), c.back) << c.utf8;
  }
}

}  // namespace
}  // namespace textpair
