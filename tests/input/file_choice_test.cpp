#include "input/file_choice.h"

#include <gtest/gtest.h>

namespace textpair {
namespace {

TEST(TableWidth, TheTypedNumberOrAHundred) {
  struct Case {
    const char* reply;
    const char* want;
  } cases[] = {
      {"", "100%"}, {"80", "80%"}, {"50%", "50%"}, {"2x", "2%"}, {"2.6", "3%"},
      {"abc", "100%"}, {"0", "100%"}, {"-5", "-5%"}, {"  150", "150%"},
  };
  for (const Case& c : cases) EXPECT_EQ(table_width_from(c.reply), c.want) << c.reply;
}

}  // namespace
}  // namespace textpair
