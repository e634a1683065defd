#include "platform/console_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace textpair {
namespace {

TEST(DecodeKeyEvent, GivesTheBytesATerminalSends) {
  struct Case {
    const char* name;
    std::vector<KeyEvent> events;
    std::string want;  // all keys' bytes, in order
  } cases[] = {
      {"digit", {{true, 0x31, u'1'}}, "1"},
      {"release is no key", {{false, 0x31, u'1'}}, ""},
      {"enter as a terminal's", {{true, 0x0D, u'\r'}}, "\n"},
      {"arrow up", {{true, 0x26, 0}}, "\x1b[A"},
      {"arrow left", {{true, 0x25, 0}}, "\x1b[D"},
      {"F1", {{true, 0x70, 0}}, "\x1bOP"},
      {"F5", {{true, 0x74, 0}}, "\x1b[15~"},
      {"F12", {{true, 0x7B, 0}}, "\x1b[24~"},
      {"shift alone", {{true, 0x10, 0}}, ""},
      {"two-byte letter", {{true, 0x53, u'\u0161'}}, "\xc5\xa1"},
      {"surrogate pair", {{true, 0, u'\xD83D'}, {true, 0, u'\xDE00'}}, "\xf0\x9f\x98\x80"},
      {"lone low surrogate", {{true, 0, u'\xDE00'}}, ""},
  };
  for (const Case& c : cases) {
    char16_t high = 0;
    std::string got;
    for (const KeyEvent& e : c.events) got += decode_key_event(e, high);
    EXPECT_EQ(got, c.want) << c.name;
  }
}

}  // namespace
}  // namespace textpair
