#include "common/scratch_file.h"

#include <gtest/gtest.h>

#include "platform/file_names.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::read_file;
using testing::write_file;

class ScratchFileTest : public testing::WorkFolderTest {};

TEST_F(ScratchFileTest, PassesOverTakenNamesAndNeverOverwrites) {
  write_file("~x1.tmp", "taken");
  testing::make_dir("~x2.tmp");
  unsigned number = 0;
  File file;
  std::string name;
  ASSERT_TRUE(create_scratch_file("", "~x", number, file, name));
  EXPECT_EQ(name, "~x3.tmp");
  EXPECT_TRUE(file.write("new"));
  EXPECT_TRUE(file.close());
  EXPECT_EQ(read_file("~x1.tmp"), "taken");
  EXPECT_EQ(read_file("~x3.tmp"), "new");
  // Numbers go on from the last one.
  ASSERT_TRUE(create_scratch_file("", "~x", number, file, name));
  EXPECT_EQ(name, "~x4.tmp");
  EXPECT_TRUE(file.close());
  testing::make_dir("sub");
  number = 0;
  ASSERT_TRUE(create_scratch_file("sub", "~y", number, file, name));
  EXPECT_EQ(name, join_path("sub", "~y1.tmp"));
  EXPECT_TRUE(file.close());
  EXPECT_FALSE(create_scratch_file("missing", "~y", number, file, name));
}

}  // namespace
}  // namespace textpair
