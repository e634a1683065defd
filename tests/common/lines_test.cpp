#include "common/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/bytes.h"
#include "test_util/file_size_limit.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::WorkFolderTest;

TEST_F(WorkFolderTest, LinesEndAtLfWithCrDroppedAndALastLineWithoutLf) {
  IoFailures failures;
  testing::write_file("a.txt", "one\r\ntwo\n\nthree\rx\nlast");
  EXPECT_EQ(read_all_lines("A.TXT", failures), (std::vector<std::string>{"one", "two", "", "three\rx", "last"}));
  testing::write_file("empty.txt", "");
  EXPECT_TRUE(read_all_lines("empty.txt", failures).empty());
  EXPECT_FALSE(failures.any());
}

// A reader that keeps the previous line shows it after each line, across
// refills of its buffer and lines longer than the buffer.
TEST_F(WorkFolderTest, KeepsThePreviousLineAcrossRefills) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < 3000; ++i) {
    const std::size_t size = i % 500 == 7 ? 70000 + i : i % 97;
    lines.push_back(std::string(size, static_cast<char>('a' + i % 26)));
  }
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  bytes += "last";  // without a line end
  lines.push_back("last");
  testing::write_file("long.txt", bytes);
  LineReader reader("long.txt");
  reader.keep_previous();
  std::string_view line;
  std::size_t i = 0;
  for (; reader.next(line); ++i) {
    ASSERT_LT(i, lines.size());
    EXPECT_EQ(line, lines[i]) << i;
    EXPECT_EQ(reader.previous(), i == 0 ? std::string() : lines[i - 1]) << i;
  }
  EXPECT_EQ(i, lines.size());
}

// Lines read in pieces join to the lines next() reads, each piece at most
// the bound; equal lines are cut alike whatever their line ends, and the
// buffer does not grow past the bound on a line of any length.
TEST_F(WorkFolderTest, PiecesJoinToTheLinesAndAreCutAlike) {
  constexpr std::size_t kMost = 8;
  const std::string ten = "0123456789";
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"short lines, CR LF and LF", "one\r\ntwo\n\nthree\rx\nlast"},
      {"a line of exactly the bound, CR LF", ten.substr(0, kMost) + "\r\nz\n"},
      {"a line of exactly the bound, LF", ten.substr(0, kMost) + "\nz\n"},
      {"one byte past the bound, CR LF", ten.substr(0, kMost + 1) + "\r\n"},
      {"a CR right at the cut", ten.substr(0, kMost) + "\rab\r\n"},
      {"a long line, CR LF", ten + ten + ten + "\r\n" + ten + "\n"},
      {"a long last line without LF", ten + ten + "x"},
      {"a long blank line", std::string(100000, ' ') + "\r\n"},
  };
  for (const Case& c : cases) {
    testing::write_file("p.txt", c.bytes);
    IoFailures failures;
    const std::vector<std::string> lines = read_all_lines("p.txt", failures);
    std::vector<std::string> joined;
    std::vector<std::string> pieces;
    LineReader reader("p.txt");
    std::string_view piece;
    bool ends = true;
    for (bool starts = true; reader.next_piece(piece, ends, kMost); starts = ends) {
      EXPECT_LE(piece.size(), kMost) << c.name;
      if (starts) joined.emplace_back();
      joined.back().append(piece);
      pieces.push_back(std::string(piece) + (ends ? "|" : ""));
    }
    EXPECT_EQ(joined, lines) << c.name;
    // The same lines with LF alone give the same pieces.
    std::string lf;
    for (const std::string& line : lines) lf += line + "\n";
    testing::write_file("q.txt", lf);
    std::vector<std::string> lf_pieces;
    LineReader other("q.txt");
    while (other.next_piece(piece, ends, kMost)) lf_pieces.push_back(std::string(piece) + (ends ? "|" : ""));
    EXPECT_EQ(lf_pieces, pieces) << c.name;
  }
}

// A line trimmed of its blanks in pieces is the line trimmed whole, wherever
// the pieces are cut.
TEST_F(WorkFolderTest, BlankTrimmerTrimsALineInPiecesAsAWholeOne) {
  for (const std::string line : {"", "   ", "  a  b  ", "ab", "  x", "y  ", "a   b   c    "}) {
    for (std::size_t cut = 1; cut <= line.size() + 1; ++cut) {
      LineWriter out;
      ASSERT_TRUE(out.create("t.txt"));
      BlankTrimmer trimmed;
      for (std::size_t at = 0; at < line.size(); at += cut) trimmed.piece(std::string_view(line).substr(at, cut), out);
      trimmed.end_line(out);
      ASSERT_TRUE(out.close().ok());
      EXPECT_EQ(testing::read_file("t.txt"), std::string(blanks_trimmed(line)) + "\r\n") << '"' << line << "\" " << cut;
    }
  }
}

// Counting lines in blocks agrees with reading them one by one.
TEST_F(WorkFolderTest, CountsLinesAsTheReaderReadsThem) {
  const std::vector<std::string> contents = {
      "",          "a",
      "a\n",       "a\r\nb",
      "\n\n",      "\r",
      "x\ny\n\nz", std::string(70000, 'a') + "\n" + std::string(70000, 'b'),  // lines across blocks, no LF at the end
  };
  IoFailures failures;
  for (const std::string& content : contents) {
    testing::write_file("c.txt", content);
    EXPECT_EQ(count_lines("c.txt", failures), static_cast<long long>(read_all_lines("c.txt", failures).size()))
        << content.size();
  }
  EXPECT_FALSE(failures.any());
  // A file that cannot be read is no empty file: it is noted.
  EXPECT_EQ(count_lines("missing.txt", failures), 0);
  EXPECT_TRUE(failures.any());
}

TEST_F(WorkFolderTest, WriterReportsAFileItCouldNotMakeOrFill) {
  LineWriter ok;
  ASSERT_TRUE(ok.create("out.txt"));
  ok.line("a");
  EXPECT_TRUE((ok.close()).ok());
  EXPECT_EQ(testing::read_file("out.txt"), "a\r\n");

  LineWriter missing_folder;
  EXPECT_FALSE(missing_folder.create("no_such_folder\\out.txt"));
  missing_folder.line("lost");
  EXPECT_FALSE((missing_folder.close()).ok());

#ifndef _WIN32  // no file size limit there
  {
    testing::FileSizeLimit limit(1000);  // a disk that fills up
    LineWriter full;
    ASSERT_TRUE(full.create("full.txt"));
    full.line(std::string(1 << 17, 'x'));
    EXPECT_FALSE(full.close().ok());
  }
#endif

  LineWriter never_opened;
  EXPECT_TRUE((never_opened.close()).ok());
}

// A write that falls short in the middle of a file is a failed file, even
// when every write after it, and the close, go through: here a size limit
// cuts one write short and is lifted again before the rest. The write that
// fails is a line too long for the buffer in one case, and the buffer's
// flush in the other.
TEST_F(WorkFolderTest, WriterReportsAShortWriteInTheMiddle) {
  SKIP_WITHOUT_FULL_DISK();
  struct Case {
    const char* name;
    std::size_t buffered;  // bytes written before the limit, in lines of 1000
    std::size_t cut;       // bytes of the line written under the limit
  } cases[] = {
      {"line longer than the buffer", 0, std::size_t{1} << 17},
      {"buffer flushed past the limit", 50, 20000},
  };
  for (const Case& c : cases) {
    LineWriter out;
    ASSERT_TRUE(out.create("out.txt")) << c.name;
    for (std::size_t i = 0; i < c.buffered; ++i) out.line(std::string(998, 'a'));
    {
      testing::FileSizeLimit limit(10000);
      out.line(std::string(c.cut, 'x'));
    }
    out.line("after the limit");
    EXPECT_FALSE((out.close()).ok()) << c.name;
  }
}

}  // namespace
}  // namespace textpair
