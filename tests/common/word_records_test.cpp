#include "common/word_records.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace textpair {
namespace {

TEST(WordRecords, PaddedFields) {
  struct Case {
    std::string got;
    const char* want;
  } cases[] = {
      {line_field(7), "         7"},
      {line_field(12345678901), "12345678901"},
      {column_field(1, 80), "     1"},
      {column_field(999999, 999999), "999999"},
      {column_field(1, 1000000), "      1"},
      {column_field(999999, 1000000), " 999999"},
      {column_field(1000000, 1000000), "1000000"},
      {column_field(12, 12345678), "      12"},
      {group_field(3), "    3"},
      {word_id(0), "id00000000"},
      {word_id(123), "id00000123"},
      {word_id(123456789), "id123456789"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}

// Sort keys order by their bytes as what they stand for does: ordinals as
// numbers, id keys as the quoted ids they replace.
TEST(WordRecords, SortKeysKeepTheOrder) {
  const std::uint64_t numbers[] = {0, 1, 63, 64, 4095, 4096, 191938, (std::uint64_t{1} << 48) - 1};
  for (std::uint64_t a : numbers) {
    for (std::uint64_t b : numbers) {
      std::string ka, kb;
      append_ordinal(ka, a);
      append_ordinal(kb, b);
      EXPECT_EQ(ka.size(), kOrdinalWidth);
      EXPECT_EQ(ka < kb, a < b) << a << " " << b;
      EXPECT_EQ(read_ordinal(ka), a);
      EXPECT_EQ(ka.find_first_of("\",\r\n "), std::string::npos) << a;
    }
  }
  const std::string ids[] = {word_id(0), word_id(7), word_id(99999999), word_id(100000000), word_id(123456789)};
  for (const std::string& a : ids) {
    for (const std::string& b : ids) {
      std::string ka, kb;
      append_id_key(ka, a);
      append_id_key(kb, b);
      EXPECT_EQ(ka.size(), kIdKeyWidth);
      EXPECT_EQ(ka < kb, "\"" + a + "\"" < "\"" + b + "\"") << a << " " << b;
    }
  }
}

}  // namespace
}  // namespace textpair
