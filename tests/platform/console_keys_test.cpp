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
      // Alt+Numpad 0228 with Num Lock on, then off: only the release of Alt
      // brings the character, the keypad keys are part of the code.
      {"Alt+Numpad, Num Lock on",
       {{true, 0x12, 0, true},
        {true, 0x60, 0, true},
        {false, 0x60, 0, true},
        {true, 0x62, 0, true},
        {true, 0x62, 0, true},
        {true, 0x68, 0, true},
        {false, 0x12, u'\u00e4'}},
       "\xc3\xa4"},
      {"Alt+Numpad, Num Lock off",
       {{true, 0x12, 0, true},
        {true, 0x2D, 0, true},
        {true, 0x28, 0, true},
        {true, 0x22, 0, true},
        {true, 0x21, 0, true},
        {false, 0x12, u'1'}},
       "1"},
      {"release of Alt alone", {{true, 0x12, 0, true}, {false, 0x12, 0}}, ""},
      {"Alt with the cursor block's arrow", {{true, 0x26, 0, true, true}}, "\x1b[A"},
      {"keypad arrow without Alt", {{true, 0x26, 0}}, "\x1b[A"},
  };
  for (const Case& c : cases) {
    char16_t high = 0;
    std::string got;
    for (const KeyEvent& e : c.events) got += decode_key_event(e, high);
    EXPECT_EQ(got, c.want) << c.name;
  }
}

// The console reads its events in batches: a surrogate pair split between
// two of them is still one character.
TEST(KeyDecoder, KeepsASurrogateHalfForTheNextBatch) {
  KeyDecoder decoder;
  EXPECT_EQ(decoder.decode({true, 0, u'\xD83D'}), "");
  EXPECT_EQ(decoder.decode({false, 0x41, 0}), "");  // a release between the two halves
  EXPECT_EQ(decoder.decode({true, 0, u'\xDE00'}), "\xf0\x9f\x98\x80");
  EXPECT_EQ(decoder.decode({true, 0, u'\xDE00'}), "");  // no half waits any more
}

TEST(KeyLength, CutsOneKeyAndTellsWhetherItMayGoOn) {
  struct Case {
    const char* name;
    std::string pending;
    std::size_t length;
    bool complete;
  } cases[] = {
      {"plain byte", "12", 1, true},
      {"arrow", "\x1b[A1", 3, true},
      {"F5 with parameters", "\x1b[15~x", 5, true},
      {"F1", "\x1bOPx", 3, true},
      {"Alt with a key", "\x1bx", 2, true},
      {"escape alone so far", "\x1b", 1, false},
      {"sequence cut short", "\x1b[1", 3, false},
      {"ESC O cut short", "\x1bO", 2, false},
      {"endless sequence stops at 16 bytes", "\x1b[" + std::string(20, '1'), 16, true},
      {"two-byte character", "\xc5\xa1z", 2, true},
      {"four-byte character", "\xf0\x9f\x98\x80", 4, true},
      {"character cut short", "\xf0\x9f", 2, false},
      {"broken character", "\xc5z", 1, true},
  };
  for (const Case& c : cases) {
    bool complete = !c.complete;
    EXPECT_EQ(key_length(c.pending, complete), c.length) << c.name;
    EXPECT_EQ(complete, c.complete) << c.name;
  }
}

}  // namespace
}  // namespace textpair
