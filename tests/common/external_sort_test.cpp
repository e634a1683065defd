#include "common/external_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/line_sort.h"
#include "platform/fault_seam.h"
#include "test_util/piped_console.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::file_exists;
using testing::list_names;
using testing::read_file;
using testing::write_file;

class ExternalSort : public testing::WorkFolderTest {
 protected:
  Flow sort(const std::string& input, const std::string& output, const ExternalSortLimits& limits = {},
            const SortScratch& scratch = {}) {
    ExternalSorter sorter(input, output, state_.failures, limits, 0, scratch);
    LineReader reader(input, state_.failures);
    return sorter.settle(console_, sorter.sort_from(reader));
  }
  testing::PipedConsole console_;
  RunState state_;
};

// Lines of one fixed length, so that a piece budget holds an exact count.
std::vector<std::string> numbered_lines(int count, int seed) {
  std::vector<std::string> lines;
  unsigned v = static_cast<unsigned>(seed);
  for (int i = 0; i < count; ++i) {
    v = v * 1103515245u + 12345u;
    std::string digits = std::to_string((v >> 8) % 1000000);
    lines.push_back("line" + std::string(6 - digits.size(), '0') + digits);
  }
  return lines;
}

ExternalSortLimits lines_per_piece(std::size_t count, std::size_t fan_in = 64, bool beside = false) {
  return {.piece_bytes = count * (10 + LineRun::kLineCost), .fan_in = fan_in, .beside = beside};
}

std::vector<std::string> sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST_F(ExternalSort, OrdersByUnsignedBytesAndKeepsDuplicates) {
  struct Case {
    const char* name;
    std::vector<std::string> in;
    std::vector<std::string> want;
  } cases[] = {
      {"case", {"apple", "Apple"}, {"Apple", "apple"}},
      {"prefix first", {"abc", "ab,", "ab"}, {"ab", "ab,", "abc"}},
      {"empty line first", {"b", "", "a"}, {"", "a", "b"}},
      {"quote is byte 0x22", {"a", "\"a\"", "!"}, {"!", "\"a\"", "a"}},
      {"UTF-8 after ASCII", {"\xc3\xa9t\xc3\xa9", "zoo", "~"}, {"zoo", "~", "\xc3\xa9t\xc3\xa9"}},
      {"duplicates adjacent", {"b", "a", "b", "a"}, {"a", "a", "b", "b"}},
      {"record lines",
       {R"("the","page_02.htm")", R"("the","page_01.htm")", R"("th","page_03.htm")"},
       {R"("th","page_03.htm")", R"("the","page_01.htm")", R"("the","page_02.htm")"}},
  };
  for (const Case& c : cases) {
    write_file("in.txt", crlf(c.in));
    ASSERT_EQ(sort("in.txt", "out.txt"), Flow::kGoOn) << c.name;
    EXPECT_EQ(read_file("out.txt"), crlf(c.want)) << c.name;
    // A single piece is written as the output alone.
    EXPECT_FALSE(file_exists("file_s_1.txt")) << c.name;
    EXPECT_FALSE(file_exists("sort_output.txt")) << c.name;
  }
}

TEST_F(ExternalSort, CutsPiecesOfTheBudgetAndMergesThem) {
  struct Case {
    int lines;
    std::size_t per_piece;
    std::size_t fan_in;
    std::vector<int> piece_lines;  // line counts of file_s_1.txt, ... as cut
  } cases[] = {
      {2000, 2000, 50, {0}},                               // one piece: no piece file
      {2001, 2000, 50, {2000, 1}}, {50 * 20, 20, 50, {}},  // 50 pieces: one merge pass
      {50 * 20 + 1, 20, 50, {}},                           // 51 pieces: two passes
      {7 * 10, 10, 3, {}},                                 // passes of 3, 3 and 3 pieces
  };
  // Pieces sorted and written beside the caller are cut and merged alike.
  for (const bool beside : {false, true}) {
    for (const Case& c : cases) {
      const std::vector<std::string> lines = numbered_lines(c.lines, c.lines);
      write_file("in.txt", crlf(lines));
      ASSERT_EQ(sort("in.txt", "out.txt", lines_per_piece(c.per_piece, c.fan_in, beside)), Flow::kGoOn) << c.lines;
      EXPECT_EQ(read_file("out.txt"), crlf(sorted(lines))) << c.lines;
      EXPECT_EQ(read_file("in.txt"), crlf(lines)) << "input left unchanged";
      // The pieces are deleted once merged.
      EXPECT_FALSE(file_exists("file_s_1.txt")) << c.lines;
      if (c.piece_lines.empty() || c.piece_lines[0] == 0) continue;
      // They are cut at the budget, as finish_pieces leaves them to be seen.
      ExternalSorter cut("in.txt", "out.txt", state_.failures, lines_per_piece(c.per_piece, c.fan_in, beside));
      for (const std::string& line : lines) cut.add(line);
      ASSERT_EQ(cut.finish_pieces(), SortOutcome::kSorted) << c.lines;
      for (std::size_t i = 0; i < c.piece_lines.size(); ++i) {
        std::string piece = read_file("file_s_" + std::to_string(i + 1) + ".txt");
        EXPECT_EQ(std::count(piece.begin(), piece.end(), '\n'), c.piece_lines[i]) << c.lines << " piece " << i + 1;
      }
      EXPECT_FALSE(file_exists("file_s_" + std::to_string(c.piece_lines.size() + 1) + ".txt")) << c.lines;
      drop_pieces(SortScratch{});
      EXPECT_FALSE(file_exists("file_s_1.txt")) << c.lines;
    }
  }
}

// Lines handed over one by one, led by keys that order them and are left
// out of the result, whether written or handed on; in one piece or many.
TEST_F(ExternalSort, SorterDropsTheKeysOfItsLines) {
  const std::vector<std::string> lines = numbered_lines(300, 5);
  for (std::size_t per_piece : {1000, 40}) {
    for (bool handed_on : {false, true}) {
      ExternalSorter sorter("in.txt", "out.txt", state_.failures, lines_per_piece(per_piece, 4), 4,
                            {"p_", "p_out.txt"});
      std::vector<std::string> want;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        // The key is the reversed line number: the lines come out last first.
        const std::string key = std::to_string(1000 + lines.size() - i);
        sorter.add(key + lines[i]);
        want.insert(want.begin(), lines[i]);
      }
      std::vector<std::string> got;
      if (handed_on) {
        ASSERT_EQ(sorter.finish([&](std::string_view line) { got.emplace_back(line); }), SortOutcome::kSorted);
        EXPECT_EQ(got, want) << per_piece;
      } else {
        ASSERT_EQ(sorter.finish(), SortOutcome::kSorted);
        EXPECT_EQ(read_file("out.txt"), crlf(want)) << per_piece;
      }
      EXPECT_FALSE(file_exists("p_1.txt")) << per_piece;  // pieces, if any, deleted once merged
    }
  }
}

TEST_F(ExternalSort, SortedInputComesOutIdentical) {
  const std::string text = crlf(sorted(numbered_lines(500, 7)));
  write_file("in.txt", text);
  ASSERT_EQ(sort("in.txt", "out.txt", lines_per_piece(64, 4)), Flow::kGoOn);
  EXPECT_EQ(read_file("out.txt"), text);
}

TEST_F(ExternalSort, EmptyOrUnendedInput) {
  write_file("in.txt", "");
  ASSERT_EQ(sort("in.txt", "out.txt"), Flow::kGoOn);
  EXPECT_TRUE(file_exists("out.txt"));
  EXPECT_EQ(read_file("out.txt"), "");

  write_file("in.txt", "b\r\na");
  ASSERT_EQ(sort("in.txt", "out.txt"), Flow::kGoOn);
  EXPECT_EQ(read_file("out.txt"), "a\r\nb\r\n");
}

TEST_F(ExternalSort, UnwritableMergeOutputEndsTheRun) {
  testing::make_dir("sort_output.txt");
  write_file("in.txt", crlf(numbered_lines(30, 3)));
  EXPECT_EQ(sort("in.txt", "out.txt", lines_per_piece(10, 50)), Flow::kEnd);
  EXPECT_EQ(console_.output(),
            "---------- sort error ----------\n"
            "number of files > file.max\n"
            "file.max =  3\n"
            "sort.input$ = in.txt\n"
            "sort.output$ = out.txt\n"
            "file.name.02$ = sort_output.txt\n"
            "file.num.02 =  0\n");
  EXPECT_FALSE(file_exists("out.txt"));
}

// An output that cannot be written is work the run could not write, not a
// sort error: the failure is noted for the driver's screen, with the file.
TEST_F(ExternalSort, UnwritableOutputIsNotedAsAFailure) {
  testing::make_dir("out.txt");
  write_file("in.txt", crlf({"b", "a"}));
  EXPECT_EQ(sort("in.txt", "out.txt"), Flow::kEnd);
  EXPECT_EQ(console_.output(), "");
  ASSERT_TRUE(state_.failures.any());
  EXPECT_NE(state_.failures.first().path().find("out.txt"), std::string::npos);
}

// Temporary scratch (the sort command's) never replaces a file already
// there and is gone after the sort, in one pass or several.
TEST_F(ExternalSort, TemporaryScratchIsRemovedOnEveryWayOut) {
  const std::vector<std::string> lines = numbered_lines(150, 11);
  write_file("in.txt", crlf(lines));
  write_file("~sort_1.tmp", "a file of the user's\r\n");
  const SortScratch temporary{.pieces = "~sort_", .merged = "~sort_", .temporary = true};
  for (std::size_t per_piece : {1000, 20, 7}) {
    ASSERT_EQ(sort("in.txt", "out.txt", lines_per_piece(per_piece, 3), temporary), Flow::kGoOn) << per_piece;
    EXPECT_EQ(read_file("out.txt"), crlf(sorted(lines))) << per_piece;
    EXPECT_EQ(list_names(), (std::vector<std::string>{"in.txt", "out.txt", "~sort_1.tmp"})) << per_piece;
  }
  EXPECT_EQ(read_file("~sort_1.tmp"), "a file of the user's\r\n");

  testing::make_dir("blocked");  // the output cannot be made: a folder stands there
  ASSERT_EQ(sort("in.txt", "blocked", lines_per_piece(20, 3), temporary), Flow::kEnd);
  EXPECT_TRUE(state_.failures.any());
  EXPECT_EQ(list_names(), (std::vector<std::string>{"blocked", "in.txt", "out.txt", "~sort_1.tmp"}));
}

// A piece found out of order when it is merged (its file changed after the
// sort wrote it) ends the sort: "sort error", whichever merge finds it.
TEST_F(ExternalSort, PieceOutOfOrderIsASortError) {
  const std::vector<std::string> lines = numbered_lines(60, 13);
  for (bool later_step : {false, true}) {
    ExternalSorter sorter("in.txt", "out.txt", state_.failures, lines_per_piece(20), 0, {"p_", "p_out.txt"});
    for (const std::string& line : lines) sorter.add(line);
    ASSERT_EQ(sorter.finish_pieces(), SortOutcome::kSorted);
    write_file("p_2.txt", crlf({"line9", "line1"}));
    std::vector<std::string> got;
    const auto each = [&](std::string_view line) { got.emplace_back(line); };
    const SortOutcome outcome =
        later_step ? merge_pieces({"p_", "p_out.txt"}, 0, state_.failures, each) : sorter.finish(each);
    EXPECT_EQ(outcome, SortOutcome::kOutOfOrder) << later_step;
    const std::size_t shown = console_.output().size();
    EXPECT_EQ(later_step ? settle_merge(console_, outcome) : sorter.settle(console_, outcome), Flow::kEnd);
    EXPECT_EQ(console_.output().substr(shown), "sort error\n") << later_step;
    EXPECT_FALSE(state_.failures.any());
  }
}

// Fails one file operation on a file of the sort, the n-th of its kind
// there, as a failing disk would in the middle of a merge.
class FailOnce : public FaultHook {
 public:
  FailOnce(FileOp op, std::string file, int nth) : op_(op), file_(std::move(file)), left_(nth) {}
  std::optional<InjectedFault> before(FileOp op, const std::string& path) override {
    if (op != op_ || path.find(file_) == std::string::npos || --left_ != 0) return std::nullopt;
    return InjectedFault("Input/output error");
  }

 private:
  FileOp op_;
  std::string file_;
  int left_;
};

// A file that fails in the middle of a merge is noted with its name; the
// output keeps what it held, and no sort error is shown (the run's failure
// screen tells the user).
TEST_F(ExternalSort, FailureInTheMiddleOfAMergeIsNoted) {
  // Pieces of 8000 lines, 144 KB each: a piece is read in several blocks,
  // so its second read comes while the merge is under way.
  const std::vector<std::string> lines = numbered_lines(40000, 17);
  write_file("in.txt", crlf(lines));
  struct Case {
    const char* name;
    FileOp op;
    const char* file;  // a rename's target
    int nth;
    std::size_t fan_in;
    const char* noted;  // the file the failure names
  } cases[] = {
      {"a piece read in the last pass", FileOp::kRead, "file_s_3.txt", 2, 64, "file_s_3.txt"},
      {"a piece read in an earlier pass", FileOp::kRead, "file_s_2.txt", 2, 3, "file_s_2.txt"},
      {"the merge output written", FileOp::kWrite, "sort_output.txt", 1, 64, "sort_output.txt"},
      {"the merged pieces moved down", FileOp::kRename, "file_s_2.txt", 1, 3, "file_s_4.txt"},
      {"the result moved into place", FileOp::kRename, "out.txt", 1, 3, "sort_output.txt"},
      {"a piece written", FileOp::kWrite, "file_s_2.txt", 1, 64, "file_s_2.txt"},
      {"the last piece written", FileOp::kWrite, "file_s_5.txt", 1, 64, "file_s_5.txt"},
  };
  // The same when each piece is sorted and written beside the caller.
  for (const bool beside : {false, true}) {
    for (const Case& c : cases) {
      write_file("out.txt", "old\r\n");
      std::remove("sort_output.txt");
      state_ = RunState();
      FailOnce fail(c.op, c.file, c.nth);
      FaultHook* before = set_fault_hook(&fail);
      const Flow flow = sort("in.txt", "out.txt", lines_per_piece(8000, c.fan_in, beside));
      set_fault_hook(before);
      EXPECT_EQ(flow, Flow::kEnd) << c.name;
      ASSERT_TRUE(state_.failures.any()) << c.name;
      EXPECT_NE(state_.failures.first().path().find(c.noted), std::string::npos) << c.name;
      EXPECT_EQ(read_file("out.txt"), "old\r\n") << c.name;
    }
  }
  EXPECT_EQ(console_.output(), "");
  // The same sort without a failure.
  state_ = RunState();
  ASSERT_EQ(sort("in.txt", "out.txt", lines_per_piece(8000, 3)), Flow::kGoOn);
  EXPECT_EQ(read_file("out.txt"), crlf(sorted(lines)));
}

}  // namespace
}  // namespace textpair
