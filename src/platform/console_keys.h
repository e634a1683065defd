// Turning a Windows console key event into the bytes of one key, the same
// bytes a terminal sends on POSIX: a character as UTF-8, a cursor or function
// key as its escape sequence. Kept apart from the console so that it can be
// tested on any platform.
#ifndef TEXTPAIR_PLATFORM_CONSOLE_KEYS_H_
#define TEXTPAIR_PLATFORM_CONSOLE_KEYS_H_

#include <string>

namespace textpair {

struct KeyEvent {
  bool key_down = false;
  unsigned short virtual_key = 0;  // VK_ code
  char16_t character = 0;          // 0 for keys without one
};

// The key's bytes; "" for events that are no key press (a release, Shift or
// Ctrl alone, a lone surrogate half, which waits in `high_surrogate` for its
// second half).
std::string decode_key_event(const KeyEvent& event, char16_t& high_surrogate);

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_CONSOLE_KEYS_H_
