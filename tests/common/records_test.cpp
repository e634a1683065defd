#include "common/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::read_file;

TEST(SplitRecord, TakesQuotedAndBareFieldsAndFillsMissingOnes) {
  struct Case {
    const char* line;
    std::size_t count;
    std::vector<std::string> want;
  } cases[] = {
      {R"("a","b c","")", 3, {"a", "b c", ""}},
      {R"( 	"a", "b")", 2, {"a", "b"}},   // blanks and tabs before a quote
      {R"("a,b","c")", 2, {"a,b", "c"}},      // a comma inside quotes
      {R"("a"x,"b")", 2, {"a", "b"}},         // bytes after the closing quote
      {R"(  bare  ,"q")", 2, {"bare", "q"}},  // a bare field loses its blanks
      {R"("a")", 3, {"a", "", ""}},           // missing fields come back empty
      {R"("a","b","c")", 2, {"a", "b"}},      // extra fields are left out
      {R"("open)", 2, {"open", ""}},          // a quote that never closes
      {"", 2, {"", ""}},
      {R"("a",)", 2, {"a", ""}},           // a comma that ends the line
      {R"("a"  x)", 2, {"a", ""}},         // no comma after the quote
      {R"(b"c , "d")", 2, {"b\"c", "d"}},  // a quote inside a bare field
      {R"(,,"c")", 3, {"", "", "c"}},      // empty bare fields
  };
  for (const Case& c : cases) {
    std::vector<std::string_view> fields;
    split_record(c.line, c.count, fields);
    EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.end()), c.want) << c.line;
  }
  std::vector<std::string_view> fields;
  // Quotes at every place within and across the steps the split reads.
  for (std::size_t size = 0; size < 40; ++size) {
    const std::string word(size, 'w');
    const std::string line = "\"" + word + "\",\"" + word + "x\",\"y" + word + "\"";
    split_record(line, 3, fields);
    EXPECT_EQ(fields[0], word);
    EXPECT_EQ(fields[1], word + "x");
    EXPECT_EQ(fields[2], "y" + word);
    const std::string unclosed = line.substr(0, line.size() - 1);  // the last quote missing
    split_record(unclosed, 3, fields);
    EXPECT_EQ(fields[2], "y" + word);
  }
  const std::string long_field = "\"" + std::string(5000, 'w') + "\"";
  split_record(long_field, 1, fields);
  EXPECT_EQ(fields[0].size(), 4096u);
}

// The written form "a","b","c" is split sixteen bytes at a time (with SSE2
// where the build has it) or eight at a time: both must take the same lines
// and give the same fields as the general rules, and neither may read a byte
// past the line (each line stands alone on the heap, for the sanitizers).
TEST(SplitRecord, SixteenAndEightByteSplitsAgree) {
  std::vector<std::string> lines = {
      "",
      "\"",
      "\"\"",
      "\"a\"",
      "\"a\",\"",
      "\"a\",",
      "\"a\"x,\"b\"",
      "\"a\",x\"b\"",
      "a,\"b\"",
      "\"a\", \"b\"",
      "\"a\",\"b\",\"c\"",
      "\"a\",\"\",\"c\"",
      "\"" + std::string(kMaxFieldBytes, 'w') + "\"",
      "\"" + std::string(kMaxFieldBytes + 1, 'w') + "\"",
  };
  // Fields of every length around the sixteen-byte steps, whole and broken.
  for (std::size_t size = 0; size < 50; ++size) {
    const std::string word(size, 'w');
    const std::string line = "\"" + word + "\",\"" + word + "x\",\"y" + word + "\"";
    lines.push_back(line);
    lines.push_back(line.substr(0, line.size() - 1));  // the last quote missing
    lines.push_back(line + ",\"tail\"");
    std::string no_comma = line;
    no_comma[size + 2] = ';';
    lines.push_back(no_comma);
    lines.push_back(std::string(size, ' ') + line);  // not the written form
  }
  for (const std::string& text : lines) {
    const auto bytes = std::make_unique<char[]>(text.size() + 1);  // never empty
    std::copy(text.begin(), text.end(), bytes.get());
    const std::string_view line(bytes.get(), text.size());
    // The general rules, which skip a blank before an opening quote.
    const std::string blank_first = " " + text;
    for (std::size_t count = 1; count <= 3; ++count) {
      std::vector<std::string_view> wide(count), narrow(count), general;
      const bool wide_ok = records_detail::split_written_form_16(line, count, wide.data());
      const bool narrow_ok = records_detail::split_written_form_8(line, count, narrow.data());
      ASSERT_EQ(wide_ok, narrow_ok) << text.substr(0, 80) << " count " << count;
      if (!wide_ok) continue;
      EXPECT_EQ(wide, narrow) << text.substr(0, 80) << " count " << count;
      split_record(blank_first, count, general);
      EXPECT_EQ(wide, general) << text.substr(0, 80) << " count " << count;
    }
  }
}

class RecordFileTest : public testing::WorkFolderTest {};

TEST_F(RecordFileTest, RecordsWrittenAreReadBackFieldByField) {
  RecordWriter out;
  ASSERT_TRUE(out.create("r.txt"));
  const RecordFields<3> first = {"a", "", "c d"};
  const RecordFields<1> second = {"only"};
  out.write(first);
  out.write(second);
  ASSERT_TRUE((out.close()).ok());
  EXPECT_EQ(read_file("r.txt"), "\"a\",\"\",\"c d\"\r\n\"only\"\r\n");

  RecordLines in("r.txt", 3);
  ASSERT_TRUE(in.next());
  EXPECT_EQ(in[0], "a");
  EXPECT_EQ(in[2], "c d");
  ASSERT_TRUE(in.next());
  EXPECT_EQ(in.line(), "\"only\"");
  EXPECT_EQ(in[1], "");
  EXPECT_FALSE(in.next());
}

}  // namespace
}  // namespace textpair

namespace textpair {
namespace {

// A record built from parts reads back as the fields it was built from.
TEST(BuiltRecords, ReadBackAsTheirParts) {
  std::string occurrence;
  format_record(std::vector<std::string_view>{"page_01.htm", "         1", "w"}, occurrence);
  occurrence.resize(occurrence.size() - 2);  // without CR LF
  std::string line;
  append_field(line, "id00000001");
  append_fields(line, occurrence);
  append_field(line, "");
  EXPECT_EQ(line, R"("id00000001","page_01.htm","         1","w","")");
  std::vector<std::string_view> fields;
  split_record(line, 5, fields);
  EXPECT_EQ(fields, (std::vector<std::string_view>{"id00000001", "page_01.htm", "         1", "w", ""}));
  std::string alone;
  append_fields(alone, occurrence);
  EXPECT_EQ(alone, occurrence);
}

}  // namespace
}  // namespace textpair
