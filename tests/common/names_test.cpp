#include "common/names.h"

#include <gtest/gtest.h>

namespace textpair {
namespace {

TEST(CleanFileName, CleansTheStemAndKeepsTheExtension) {
  struct Case {
    const char* name;
    std::size_t ext;
    const char* suffix;
    const char* want;
  } cases[] = {
      {"abc.txt", 3, "", "abc.txt"},
      {"my notes-2.txt", 10, "", "my_notes_2.txt"},
      {"a.b.txt", 3, "", "a_b.txt"},
      {"  x y .TXT", 6, "", "x_y.TXT"},           // stem trimmed of blanks before cleaning
      {"\xC3\xA4rger.txt", 6, "", "__rger.txt"},  // a two-byte letter gives two "_"
      {"page_1.txt", 6, "", "file_page_1.txt"},
      {"Page_1.TXT", 6, "", "file_Page_1.TXT"},
      {"page 1.txt", 6, "", "file_page_1.txt"},  // becomes page_ only after cleaning
      {"pager.txt", 5, "", "pager.txt"},
      {"report.html", 6, "", "report.html"},
      {"a.txt (1)", 1, "", "a.txt (1)"},  // the rest is kept as it is
      {"my notes.txt", 8, "_2", "my_notes_2.txt"},
      {"page 1.txt", 6, "_3", "file_page_1_3.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(clean_file_name(c.name, c.ext, c.suffix), c.want) << c.name;
}

TEST(CleanStem, KeepsTheLengthInBytes) {
  EXPECT_EQ(clean_stem("a_b-c.d e\t\x01"), "a_b_c_d_e__");
  EXPECT_EQ(clean_stem("AZaz09"), "AZaz09");
  EXPECT_EQ(clean_stem(""), "");
}

}  // namespace
}  // namespace textpair
