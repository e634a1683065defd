#include "platform/console_keys.h"

#include "platform/utf16.h"

namespace textpair {

namespace {

// The bytes of a UTF-8 character by its lead byte; 1 for a stray byte.
std::size_t utf8_length(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// The longest escape sequence taken as one key.
constexpr std::size_t kMaxSequence = 16;

// Virtual key codes of the keys without a character.
struct Sequence {
  unsigned short virtual_key;
  const char* bytes;
};
constexpr Sequence kSequences[] = {
    {0x26, "\x1b[A"},   {0x28, "\x1b[B"},   {0x27, "\x1b[C"},   {0x25, "\x1b[D"},    // arrows
    {0x24, "\x1b[H"},   {0x23, "\x1b[F"},   {0x2D, "\x1b[2~"},  {0x2E, "\x1b[3~"},   // home end ins del
    {0x21, "\x1b[5~"},  {0x22, "\x1b[6~"},                                           // page up, down
    {0x70, "\x1bOP"},   {0x71, "\x1bOQ"},   {0x72, "\x1bOR"},   {0x73, "\x1bOS"},    // F1-F4
    {0x74, "\x1b[15~"}, {0x75, "\x1b[17~"}, {0x76, "\x1b[18~"}, {0x77, "\x1b[19~"},  // F5-F8
    {0x78, "\x1b[20~"}, {0x79, "\x1b[21~"}, {0x7A, "\x1b[23~"}, {0x7B, "\x1b[24~"},  // F9-F12
};

constexpr unsigned short kAlt = 0x12;  // VK_MENU

// The keys of the numeric keypad, with Num Lock on (VK_NUMPAD0 to 9) or off
// (the cursor keys it then sends, without the enhanced flag).
bool is_keypad_key(const KeyEvent& event) {
  const unsigned short vk = event.virtual_key;
  if (vk >= 0x60 && vk <= 0x69) return true;
  const bool cursor = (vk >= 0x21 && vk <= 0x28) || vk == 0x2D || vk == 0x0C;  // page, end, home, arrows, ins, clear
  return cursor && !event.enhanced;
}

}  // namespace

std::string decode_key_event(const KeyEvent& event, char16_t& high_surrogate) {
  char16_t c = event.character;
  if (!event.key_down) {
    // The release of Alt after an Alt+Numpad code brings its character.
    if (event.virtual_key != kAlt || c == 0) return "";
  } else if (event.alt && is_keypad_key(event)) {
    return "";  // a digit of an Alt+Numpad code
  }
  if (c == 0) {
    for (const Sequence& s : kSequences) {
      if (s.virtual_key == event.virtual_key) return s.bytes;
    }
    return "";  // Shift, Ctrl, Alt, Caps Lock and the like
  }
  if (c >= 0xD800 && c <= 0xDBFF) {
    high_surrogate = c;
    return "";
  }
  std::u16string units;
  if (c >= 0xDC00 && c <= 0xDFFF) {
    if (high_surrogate == 0) return "";
    units += high_surrogate;
  }
  high_surrogate = 0;
  // Enter comes as CR; a terminal in raw mode hands it over as LF.
  units += c == u'\r' ? u'\n' : c;
  return utf16_to_utf8(units);
}

std::size_t key_length(std::string_view pending, bool& complete) {
  complete = true;
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(pending[i]); };
  if (at(0) == 0x1b) {
    if (pending.size() < 2) {
      complete = false;
      return 1;
    }
    if (pending[1] == '[') {
      // Parameters and intermediates, then one final byte.
      std::size_t length = 2;
      while (length < kMaxSequence) {
        if (length == pending.size()) {
          complete = false;
          break;
        }
        const unsigned char c = at(length++);
        if (c >= 0x40 && c <= 0x7e) break;
      }
      return length;
    }
    if (pending[1] == 'O') {
      complete = pending.size() >= 3;
      return complete ? 3 : 2;
    }
    return 2;  // Alt with a key
  }
  const std::size_t want = utf8_length(at(0));
  std::size_t length = 1;
  while (length < want && length < pending.size() && (at(length) & 0xc0) == 0x80) ++length;
  complete = length == want || length < pending.size();
  return length;
}

}  // namespace textpair
