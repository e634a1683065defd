#include "common/flag_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

class FlagFileTest : public testing::WorkFolderTest {};

std::vector<bool> read_flags(const std::string& name) {
  FlagReader in;
  std::vector<bool> flags;
  if (!in.open(name)) return flags;
  bool flag = false;
  while (in.next(flag)) flags.push_back(flag);
  return flags;
}

TEST_F(FlagFileTest, FlagsReadBackInTheirOrderAcrossLines) {
  for (std::size_t count : {std::size_t{0}, std::size_t{1}, kFlagsPerLine - 1, kFlagsPerLine, 2 * kFlagsPerLine + 5}) {
    std::vector<bool> written;
    FlagWriter out;
    ASSERT_TRUE(out.create("flags.txt"));
    for (std::size_t i = 0; i < count; ++i) {
      written.push_back(i % 3 == 0 || i % 7 == 0);
      out.add(written.back());
    }
    ASSERT_TRUE((out.close()).ok());
    EXPECT_EQ(read_flags("flags.txt"), written) << count;
    const std::size_t lines = (count + kFlagsPerLine - 1) / kFlagsPerLine;
    EXPECT_EQ(testing::read_file("flags.txt").size(), count + 2 * lines) << count;
  }
}

TEST_F(FlagFileTest, ReadingStopsAtAByteThatIsNoFlag) {
  struct Case {
    const char* bytes;
    std::vector<bool> want;
  } cases[] = {
      {"101\r\n", {true, false, true}},
      {"10\r\n\r\n1\r\n", {true, false, true}},  // empty lines hold no flags
      {"1x1\r\n0\r\n", {true}},
      {"\"id00000001\",\"page_01.htm\",\"2\"\r\n", {}},
  };
  for (const Case& c : cases) {
    testing::write_file("flags.txt", c.bytes);
    EXPECT_EQ(read_flags("flags.txt"), c.want) << c.bytes;
  }
  EXPECT_TRUE(read_flags("missing.txt").empty());
}

}  // namespace
}  // namespace textpair
