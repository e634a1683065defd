#include "common/line_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_util/file_size_limit.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::list_names;
using testing::make_dir;
using testing::read_file;
using testing::write_file;

class LineSortTest : public testing::WorkFolderTest {};

// Sorts a file the program's way; the input must open.
IoResult sort_file(const std::string& input, const std::string& output, const LineSortLimits& limits = {}) {
  LineReader reader;
  EXPECT_TRUE(reader.open(input)) << input;
  return sort_lines(reader, output, limits);
}

// A merge checks each source's order as it reads it.
TEST_F(LineSortTest, MergeReportsASourceOutOfOrder) {
  struct Case {
    const char* name;
    std::vector<std::string> first, second;
    MergeResult want;
    std::string merged;
  } cases[] = {
      {"sorted", {"a", "c", "c"}, {"b", "d"}, MergeResult::kInOrder, "a\r\nb\r\nc\r\nc\r\nd\r\n"},
      {"empty source", {}, {"a"}, MergeResult::kInOrder, "a\r\n"},
      {"unsorted", {"a", "c", "b"}, {"d"}, MergeResult::kOutOfOrder, "a\r\nc\r\nb\r\nd\r\n"},
      {"alike in their first eight bytes", {"abcdefgh1", "abcdefgh2"}, {"abcdefgh15"}, MergeResult::kInOrder,
       "abcdefgh1\r\nabcdefgh15\r\nabcdefgh2\r\n"},
      {"unsorted past the first eight bytes", {"abcdefgh2", "abcdefgh1"}, {}, MergeResult::kOutOfOrder,
       "abcdefgh2\r\nabcdefgh1\r\n"},
      {"a line and its prefix", {"abcdefgh", "abcdefg"}, {}, MergeResult::kOutOfOrder, "abcdefgh\r\nabcdefg\r\n"},
  };
  for (const Case& c : cases) {
    write_file("one.txt", crlf(c.first));
    write_file("two.txt", crlf(c.second));
    File out("merged.txt", File::Mode::kCreate);
    IoFailures failures;
    EXPECT_EQ(merge_runs({"one.txt", "two.txt"}, out, failures), c.want) << c.name;
    EXPECT_EQ(read_file("merged.txt"), c.merged) << c.name;
  }
  File out("merged.txt", File::Mode::kCreate);
  IoFailures failures;
  EXPECT_EQ(merge_runs({"one.txt", "missing.txt"}, out, failures), MergeResult::kFailed);
  EXPECT_NE(failures.first().path().find("missing.txt"), std::string::npos);

  // Lines alike in their first eight bytes, over several buffers of the
  // reader: two lines swapped anywhere are found, at a refill too.
  std::vector<std::string> lines;
  for (int i = 0; i < 9000; ++i) lines.push_back("aaaaaaaa" + std::to_string(100000 + i));
  for (std::size_t swapped : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{4096},
                              std::size_t{4097}, std::size_t{8190}, std::size_t{8191}, std::size_t{8999}}) {
    std::vector<std::string> source = lines;
    if (swapped > 0) std::swap(source[swapped - 1], source[swapped]);
    write_file("one.txt", crlf(source));
    File merged("merged.txt", File::Mode::kCreate);
    IoFailures none;
    EXPECT_EQ(merge_runs({"one.txt"}, merged, none), swapped == 0 ? MergeResult::kInOrder : MergeResult::kOutOfOrder)
        << swapped;
  }
}

TEST_F(LineSortTest, OrdersLinesByUnsignedBytes) {
  struct Case {
    const char* name;
    std::string input;
    std::vector<std::string> want;
  } cases[] = {
      {"case is not folded", "apple\r\nApple\r\nBanana\r\n", {"Apple", "Banana", "apple"}},
      {"prefix first", "abc\r\nab,\r\nab\r\n", {"ab", "ab,", "abc"}},
      {"empty line first", "b\r\n\r\na\r\n", {"", "a", "b"}},
      {"high bytes after ASCII", "\xC3\xA4\r\nz\r\n~\r\n", {"z", "~", "\xC3\xA4"}},
      {"quote sorts by its byte", "a\r\n\"b\"\r\n!\r\n", {"!", "\"b\"", "a"}},
      {"duplicates kept", "x\r\ny\r\nx\r\nx\r\n", {"x", "x", "x", "y"}},
      {"LF and missing last line end", "b\na\r\nc", {"a", "b", "c"}},
      {"empty input", "", {}},
  };
  for (const Case& c : cases) {
    write_file("in.txt", c.input);
    ASSERT_TRUE((sort_file("in.txt", "out.txt")).ok()) << c.name;
    EXPECT_EQ(read_file("out.txt"), crlf(c.want)) << c.name;
  }
}

TEST_F(LineSortTest, SpillsAndMergesInSeveralPassesWithSameResult) {
  std::vector<std::string> lines;
  unsigned x = 12345;
  for (int i = 0; i < 1500; ++i) {
    x = x * 1103515245u + 12345u;
    lines.push_back(std::to_string(x % 997) + (i % 7 == 0 ? "Z" : "a") + std::string(x % 5, '\xE2'));
  }
  write_file("in.txt", crlf(lines));
  std::vector<std::string> want = lines;
  std::sort(want.begin(), want.end());

  struct Limits {
    std::size_t run_bytes, width;
  } limits[] = {{1, 5}, {200, 2}, {5000, 50}, {1 << 20, 64}};
  for (const Limits& l : limits) {
    ASSERT_TRUE((sort_file("in.txt", "out.txt", {l.run_bytes, l.width})).ok()) << l.run_bytes;
    EXPECT_EQ(read_file("out.txt"), crlf(want)) << l.run_bytes;
    // Input untouched, no temporaries left.
    EXPECT_EQ(read_file("in.txt"), crlf(lines));
    EXPECT_EQ(list_names(), (std::vector<std::string>{"in.txt", "out.txt"}));
  }
}

TEST_F(LineSortTest, SortsInPlaceAndIntoFolderNamedCaseInsensitively) {
  make_dir("wrk");
  write_file("wrk/data.txt", "b\r\nc\r\na\r\n");
  ASSERT_TRUE((sort_file("WRK\\DATA.TXT", "wrk\\data.txt", {4, 2})).ok());
  EXPECT_EQ(read_file("wrk/data.txt"), crlf({"a", "b", "c"}));
  EXPECT_EQ(list_names("wrk"), (std::vector<std::string>{"data.txt"}));
}

TEST_F(LineSortTest, ReportsFailureWithoutTouchingTheOutput) {
  SKIP_WITHOUT_FULL_DISK();
  write_file("out.txt", "old\r\n");
  write_file("in.txt", "b\r\na\r\n");
  EXPECT_FALSE((sort_file("in.txt", "no_folder\\out.txt")).ok());
  EXPECT_FALSE((sort_file("in.txt", "no_folder\\out.txt", {1, 2})).ok());
  EXPECT_EQ(list_names(), (std::vector<std::string>{"in.txt", "out.txt"}));

  // A full disk, in a spill file or in the result.
  std::string big;
  for (int i = 0; i < 20000; ++i) big += std::to_string(20000 - i) + "\r\n";
  write_file("big.txt", big);
  for (std::size_t run_bytes : {std::size_t{10000}, std::size_t{1} << 24}) {
    testing::FileSizeLimit limit(50000);
    EXPECT_FALSE((sort_file("big.txt", "out.txt", {run_bytes, 4})).ok()) << run_bytes;
  }
  EXPECT_EQ(read_file("out.txt"), "old\r\n");
  EXPECT_EQ(list_names(), (std::vector<std::string>{"big.txt", "in.txt", "out.txt"}));
}

}  // namespace
}  // namespace textpair
