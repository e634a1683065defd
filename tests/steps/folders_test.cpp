#include "steps/folders.h"

#include <gtest/gtest.h>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::write_file;

class FoldersTest : public testing::WorkFolderTest {};

TEST_F(FoldersTest, ListingHoldsAFolderInAnyCase) {
  write_file("dir_01.txt", crlf({"compare_in", "HTM_OUT", "txt_wrk"}));
  EXPECT_TRUE(listing_holds_folder("dir_01.txt", "htm_out"));
  EXPECT_TRUE(listing_holds_folder("dir_01.txt", "txt_wrk"));
  EXPECT_FALSE(listing_holds_folder("dir_01.txt", "htm_in"));
  EXPECT_FALSE(listing_holds_folder("missing.txt", "txt_wrk"));
}

}  // namespace
}  // namespace textpair
