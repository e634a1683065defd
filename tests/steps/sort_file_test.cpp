#include "steps/sort_file.h"

#include <gtest/gtest.h>

#include "test_util/piped_console.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::file_exists;
using testing::read_file;
using testing::write_file;

class SortFile : public testing::WorkFolderTest {
 protected:
  testing::PipedConsole console_;
  IoFailures failures_;
};

// Pieces an earlier sort left are cleared first; no input name ends the
// run without a word.
TEST_F(SortFile, ClearsOldPiecesAndEndsSilentlyWithoutInput) {
  write_file("file_s_7.txt", "stale\r\n");
  write_file("in.txt", crlf({"b", "a"}));
  ASSERT_EQ(sort_file(console_, failures_, "in.txt", "out.txt"), Flow::kGoOn);
  EXPECT_EQ(read_file("out.txt"), crlf({"a", "b"}));
  EXPECT_FALSE(file_exists("file_s_7.txt"));

  EXPECT_EQ(sort_file(console_, failures_, "", "none.txt"), Flow::kEnd);
  EXPECT_EQ(console_.output(), "");
  EXPECT_FALSE(file_exists("none.txt"));
  EXPECT_FALSE(failures_.any());
}

}  // namespace
}  // namespace textpair
