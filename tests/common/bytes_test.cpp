#include "common/bytes.h"

#include <gtest/gtest.h>

namespace textpair {
namespace {

TEST(ReadNumber, ReadsTheWayThePromptsDo) {
  struct Case {
    const char* text;
    long long want;
  } cases[] = {
      {"", 0},
      {"2", 2},
      {"2x", 2},
      {"2.6", 3},
      {"2.4", 2},
      {"50%", 50},
      {"  \t7", 7},
      {"-3", -3},
      {"abc", 0},
      {"+4", 4},
      {".5", 1},
      {"x2", 0},
      {"     1", 1},
      {"12 ", 12},
      {"-", 0},
      {"7.", 7},
      {"999999999999999999", 999999999999999999LL},     // the most digits read as whole digits
      {"1234567890123456789", 1234567890123456789LL},   // one more goes the long way
      {"99999999999999999999", 9000000000000000000LL},  // capped
  };
  for (const Case& c : cases) EXPECT_EQ(read_number(c.text), c.want) << c.text;
}

TEST(Bytes, TrimsBlanksOnlyAndSearchesOneBased) {
  EXPECT_EQ(trim_blanks("  a b \t "), "a b \t");
  EXPECT_EQ(trim_blanks("   "), "");
  EXPECT_EQ(lower_ascii("ÄBc"), "Äbc");
  EXPECT_EQ(upper_ascii("\xC3\xA4"
                        "bC@[`{"),
            "\xC3\xA4"
            "BC@[`{");
  EXPECT_EQ(lower_ascii("@AZ[`az{"), "@az[`az{");
  EXPECT_EQ(find_at("abcabc", "b"), 2u);
  EXPECT_EQ(find_at("abcabc", "b", 3), 5u);
  EXPECT_EQ(find_at("abc", "x"), 0u);
  EXPECT_EQ(find_at("abc", "c", 4), 0u);
  EXPECT_EQ(mid("Hello", 2, 3), "el");
  EXPECT_EQ(mid("Hello", 3, 2), "");
  EXPECT_EQ(pad_left("41", 10), "        41");
  EXPECT_EQ(pad_left("12345", 3), "12345");
  EXPECT_EQ(format_signed(50), " 50");
  EXPECT_EQ(format_signed(-5), "-5");
}

TEST(Bytes, ContainsInAnyAsciiCase) {
  struct Case {
    const char* hay;
    const char* needle;
    bool want;
  } cases[] = {
      {"text</HTML> more", "</html>", true},
      {"</Html>", "</html>", true},
      {"</htm>", "</html>", false},
      {"", "</html>", false},
      {"abc", "", true},
      {"\xC3\x84</html>", "</HTML>", true},
  };
  for (const Case& c : cases) EXPECT_EQ(contains_nocase(c.hay, c.needle), c.want) << c.hay;
}

TEST(Bytes, AppendsPiecesOfEveryKindInOrder) {
  std::string out = "a";
  const std::string text = "bc";
  const char* pointer = "d";
  append_all(out, "", text, std::string_view("x", 0), pointer, "ef", std::string_view(text).substr(1));
  EXPECT_EQ(out, "abcdefc");
  std::string number;
  for (long long v : {0LL, 7LL, -12LL, 9000000000000000000LL}) append_number(number, v);
  EXPECT_EQ(number, "07-129000000000000000000");
}

TEST(Bytes, FindsTheFirstMatchInAnyCase) {
  constexpr std::size_t npos = std::string_view::npos;
  struct Case {
    const char* hay;
    const char* needle;
    std::size_t want;
  } cases[] = {
      {"<BODY>", "body", 1},   {"bbBody", "body", 2}, {"BbOdY", "body", 1},       {"bod", "body", npos},
      {"xBODbody", "body", 4}, {"b", "body", npos},   {"<a><TITLE", "<title", 3}, {"", "", 0},
      {"1bOdy", "BODY", 1},    {"@[`{", "@[", 0},     {"a<b", "<c", npos},
  };
  for (const Case& c : cases) EXPECT_EQ(find_nocase(c.hay, c.needle), c.want) << c.hay << " " << c.needle;
}

}  // namespace
}  // namespace textpair
