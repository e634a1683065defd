// Windows only: UTF-8 names to the wide strings of the W calls and back.
#ifndef TEXTPAIR_PLATFORM_WIDE_WIN32_H_
#define TEXTPAIR_PLATFORM_WIDE_WIN32_H_

#include <string>
#include <string_view>

#include "platform/utf16.h"

namespace textpair {

inline std::wstring wide(std::string_view utf8) {
  std::u16string units = utf8_to_utf16(utf8);
  return std::wstring(units.begin(), units.end());
}

inline std::string narrow(std::wstring_view units) {
  return utf16_to_utf8(std::u16string(units.begin(), units.end()));
}

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_WIDE_WIN32_H_
