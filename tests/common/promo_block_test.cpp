#include "common/promo_block.h"

#include <gtest/gtest.h>

#include "common/run_state.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::read_file;

class PromoBlockTest : public testing::WorkFolderTest {};

TEST_F(PromoBlockTest, SeventeenLinesEndingWithThePublisherLink) {
  LineWriter out;
  ASSERT_TRUE(out.create("promo.htm"));
  write_promo_block(out);
  ASSERT_TRUE((out.close()).ok());
  const std::string text = read_file("promo.htm");
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines.front(), "<br>");
  EXPECT_EQ(lines[1], "<br> <b> PROMOTE YOUR BRAND WITH OUR PROGRAM </b>");
  const std::string address = publisher_address();
  EXPECT_EQ(lines[15], "<br> <a href=\"" + address + "\">" + address + "</a>");
  EXPECT_EQ(lines.back(), "<br>");
}

}  // namespace
}  // namespace textpair
