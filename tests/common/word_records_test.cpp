#include "common/word_records.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace textpair
