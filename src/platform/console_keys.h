// Turning a Windows console key event into the bytes of one key, the same
// bytes a terminal sends on POSIX: a character as UTF-8, a cursor or function
// key as its escape sequence. Kept apart from the console so that it can be
// tested on any platform.
#ifndef TEXTPAIR_PLATFORM_CONSOLE_KEYS_H_
#define TEXTPAIR_PLATFORM_CONSOLE_KEYS_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace textpair {

struct KeyEvent {
  bool key_down = false;
  unsigned short virtual_key = 0;  // VK_ code
  char16_t character = 0;          // 0 for keys without one
  bool alt = false;                // Alt held (without Ctrl, so not AltGr)
  bool enhanced = false;           // a key of the cursor block, not the keypad
};

// The key's bytes; "" for events that are no key press (a release, Shift or
// Ctrl alone, a lone surrogate half, which waits in `high_surrogate` for its
// second half). A character typed as Alt+Numpad code comes with the release
// of Alt, and the keypad keys pressed for it make no key of their own.
std::string decode_key_event(const KeyEvent& event, char16_t& high_surrogate);

// decode_key_event with its own surrogate half, kept from one batch of
// events to the next: a character outside the BMP may come in two reads.
class KeyDecoder {
 public:
  std::string decode(const KeyEvent& event) { return decode_key_event(event, high_surrogate_); }

 private:
  char16_t high_surrogate_ = 0;
};

// How many bytes at the front of `pending` (not empty) make one key as a
// terminal sends it: an escape sequence ("ESC [" parameters and a final
// byte, "ESC O" and one byte, ESC and one byte), a UTF-8 character, or one
// byte. `complete` is false when the key may go on past the bytes there, so
// that a reader can wait a moment for the rest before cutting.
std::size_t key_length(std::string_view pending, bool& complete);

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_CONSOLE_KEYS_H_
