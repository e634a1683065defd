#include "common/word_records.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/records.h"

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

// Each field kind reads back what its writer wrote; ids and numbers refuse
// what they did not write.
TEST(WordRecords, FieldsReadBackWhatWasWritten) {
  for (std::uint64_t number : {std::uint64_t{0}, std::uint64_t{42}, kFixedWidthIds - 1, kFixedWidthIds}) {
    std::uint64_t id = 1;
    EXPECT_TRUE(read_word_id(word_id(number), id)) << number;
    EXPECT_EQ(id, number);
    std::string n;
    append_number_field(n, number);
    EXPECT_EQ(read_number_field(n), number);
  }
  EXPECT_EQ(word_id(kFixedWidthIds - 1).size(), 2 + kIdDigits);
  EXPECT_EQ(word_id(kFixedWidthIds).size(), 3 + kIdDigits);
  struct Case {
    const char* id;
    bool valid;
  } ids[] = {{"id1", true},         {"id", false},          {"ID00000001", false},
             {"id0000000x", false}, {"page_01.htm", false}, {"id 1", false}};
  for (const Case& c : ids) {
    std::uint64_t number = 0;
    EXPECT_EQ(read_word_id(c.id, number), c.valid) << c.id;
  }
  EXPECT_EQ(padded_digits(line_field(7)), "7");
  EXPECT_EQ(padded_digits(group_field(12)), "12");
  EXPECT_EQ(read_number_field("x"), 0u);
}

// The shortest keyed record the extraction can write takes exactly the
// bytes the bound counts: a piece's bytes never undercount its records.
TEST(WordRecords, ShortestKeyedRecordMeetsTheBound) {
  std::string line;
  append_keyed_record(line, {.key = "abc", .page = ".htm", .word = "abc", .line = 1, .ordinal = 0});
  EXPECT_EQ(line.size() + 2, keyed_record::kLeastBytes);  // with its line end
}

// A keyed record gives back what it was made of, and records sort by key,
// page, line, word and ordinal, as the words' full places would.
TEST(WordRecords, KeyedRecordsKeepTheirFieldsAndSortInPlaceOrder) {
  const KeyedRecord records[] = {
      {.key = "the", .page = "page_01.htm", .word = "The", .line = 3, .ordinal = 7},
      {.key = "the", .page = "page_01.htm", .word = "the", .line = 3, .ordinal = 2},
      {.key = "the", .page = "page_01.htm", .word = "the", .line = 3, .ordinal = 5},
      {.key = "the", .page = "page_01.htm", .word = "The", .line = 64, .ordinal = 9},
      {.key = "the", .page = "page_01.htm", .word = "The", .line = 4096, .ordinal = 1},
      {.key = "the", .page = "page_02.htm", .word = "the", .line = 1, .ordinal = (std::uint64_t{1} << 40)},
      {.key = "them", .page = "page_01.htm", .word = "them", .line = 1, .ordinal = 0},
  };
  std::string previous;
  for (const KeyedRecord& r : records) {
    std::string line;
    append_keyed_record(line, r);
    EXPECT_LT(previous, line) << line;
    previous = line;
    KeyedRecord back;
    ASSERT_TRUE(read_keyed_record(line, back)) << line;
    EXPECT_EQ(back.key, r.key);
    EXPECT_EQ(back.page, r.page);
    EXPECT_EQ(back.word, r.word);
    EXPECT_EQ(back.line, r.line);
    EXPECT_EQ(back.ordinal, r.ordinal);
  }
  KeyedRecord back;
  for (const char* broken : {"", "the", "the\"page_01.htm", "the\"page_01.htm\"000001The00000001"}) {
    EXPECT_FALSE(read_keyed_record(broken, back)) << broken;
  }
}

// A word-order record is the id in front of the occurrence record.
TEST(WordRecords, WordOrderRecordLeadsWithTheId) {
  std::string out = "before\r\n";
  append_word_order_record(out, "id00000003", R"("page_01.htm","         2","     6","the","id00000003","2")");
  const std::string record = out.substr(8);
  std::vector<std::string> f;
  parse_record(record, word_order_record::kFieldCount, f);
  EXPECT_EQ(f[word_order_record::kId], "id00000003");
  EXPECT_EQ(f[word_order_record::kPage], "page_01.htm");
  EXPECT_EQ(f[word_order_record::kWord], "the");
  EXPECT_EQ(f[word_order_record::kN], "2");
  EXPECT_EQ(record.substr(0, 14), R"("id00000003",")");
}

}  // namespace
}  // namespace textpair
