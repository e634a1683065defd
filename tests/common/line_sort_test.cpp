#include "common/line_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::read_file;
using testing::write_file;

class LineSortTest : public testing::WorkFolderTest {};

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
      {"alike in their first eight bytes",
       {"abcdefgh1", "abcdefgh2"},
       {"abcdefgh15"},
       MergeResult::kInOrder,
       "abcdefgh1\r\nabcdefgh15\r\nabcdefgh2\r\n"},
      {"unsorted past the first eight bytes",
       {"abcdefgh2", "abcdefgh1"},
       {},
       MergeResult::kOutOfOrder,
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
  for (std::size_t swapped : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{4096}, std::size_t{4097},
                              std::size_t{8190}, std::size_t{8191}, std::size_t{8999}}) {
    std::vector<std::string> source = lines;
    if (swapped > 0) std::swap(source[swapped - 1], source[swapped]);
    write_file("one.txt", crlf(source));
    File merged("merged.txt", File::Mode::kCreate);
    IoFailures none;
    EXPECT_EQ(merge_runs({"one.txt"}, merged, none), swapped == 0 ? MergeResult::kInOrder : MergeResult::kOutOfOrder)
        << swapped;
  }
}

}  // namespace
}  // namespace textpair
