#include "compare/page_files.h"

#include <gtest/gtest.h>

namespace textpair {
namespace {

TEST(DropControlBytes, DropsBytesBelowSixteenOnly) {
  struct Case {
    std::string line;
    std::string want;
  } cases[] = {
      {"a\tb", "ab"},
      {std::string("x\0y", 3), "xy"},
      {"\x01\x0f\x10\x1f", "\x10\x1f"},
      {"a\rb", "ab"},
      {"\xC3\xA4 \xE2\x82\xAC", "\xC3\xA4 \xE2\x82\xAC"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(drop_control_bytes(c.line), c.want) << c.line;
}

}  // namespace
}  // namespace textpair
