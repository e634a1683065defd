#include "indexing/text_places.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/records.h"
#include "common/word_records.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

struct Place {
  std::string page, line, column, word;
};

// Every word written comes back with its ordinal and its place as the
// start of its occurrence record, whatever its page, line or bytes.
TEST(TextPlaces, WordsComeBackInOrderWithTheirPlaces) {
  const std::vector<std::vector<Place>> cases = {
      {},
      {{"page_01.htm", line_field(1), column_field(1, 10), "one"}},
      {{"page_01.htm", line_field(1), column_field(1, 10), "a"},
       {"page_01.htm", line_field(1), column_field(3, 10), "b"},
       {"page_01.htm", line_field(4), column_field(1, 10), "c"},
       // The same line number on the next page.
       {"page_02.htm", line_field(4), column_field(2, 10), "d"},
       {"page_03.htm", line_field(9), column_field(7, 10), "e"}},
      // Bars, quotes, commas and a carriage return in a word; a column wider
      // than six on a long line; a word of the greatest length a field keeps.
      {{"page_01.htm", line_field(2), column_field(5, 10), "a|b"},
       {"page_01.htm", line_field(2), column_field(1234567, 2000000), "x,\"y\""},
       {"page_01.htm", line_field(2), column_field(1234570, 2000000), "cr\r"},
       {"page_01.htm", line_field(3), column_field(1, 10), std::string(kMaxFieldBytes, 'w')}},
  };
  for (std::size_t c = 0; c < cases.size(); ++c) {
    testing::WorkFolder folder;
    TextPlaceWriter out;
    ASSERT_TRUE(out.create("wrd_01_03.txt"));
    for (const Place& p : cases[c]) out.add(p.page, p.line, p.column, p.word);
    ASSERT_TRUE(out.close().ok());
    IoFailures failures;
    TextPlaceReader in("wrd_01_03.txt", failures);
    std::string record;
    for (std::size_t i = 0; i < cases[c].size(); ++i) {
      const Place& p = cases[c][i];
      ASSERT_TRUE(in.next()) << "case " << c << " word " << i;
      EXPECT_EQ(in.ordinal(), i);
      EXPECT_EQ(in.page(), p.page);
      in.place_record(record);
      EXPECT_EQ(record, "\"" + p.page + "\",\"" + p.line + "\",\"" + p.column + "\",\"" + p.word + "\"");
    }
    EXPECT_FALSE(in.next()) << "case " << c;
    EXPECT_FALSE(failures.any());
  }
}

}  // namespace
}  // namespace textpair
