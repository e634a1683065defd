// Windows only: UTF-8 names to the wide strings of the W calls and back.
#ifndef TEXTPAIR_PLATFORM_WIDE_WIN32_H_
#define TEXTPAIR_PLATFORM_WIDE_WIN32_H_

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/utf16.h"

namespace textpair {

inline std::wstring wide(std::string_view utf8) {
  std::u16string units = utf8_to_utf16(utf8);
  return std::wstring(units.begin(), units.end());
}

// The longest path the plain form takes: MAX_PATH less the end, and less
// the 8.3 name a new folder must leave room for.
inline constexpr std::size_t kLongestShortPath = MAX_PATH - 12;

// A path for the W calls. One whose absolute form is longer than the plain
// form takes is given in the long form, "\\?\" and the absolute path (or
// "\\?\UNC\" and the share), which every call takes up to 32767
// characters, whether or not long paths are turned on in Windows.
inline std::wstring wide_path(std::string_view utf8) {
  std::wstring name = wide(utf8);
  if (name.starts_with(L"\\\\?\\") || name.starts_with(L"\\\\.\\")) return name;
  // The absolute form is at most the current folder, a separator and the name.
  if (name.size() <= kLongestShortPath && GetCurrentDirectoryW(0, nullptr) + name.size() <= kLongestShortPath) {
    return name;
  }
  DWORD need = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (need == 0) return name;
  std::wstring full(need, L'\0');
  DWORD got = GetFullPathNameW(name.c_str(), need, full.data(), nullptr);
  if (got == 0 || got >= need) return name;
  full.resize(got);
  if (full.size() <= kLongestShortPath) return name;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

inline std::string narrow(std::wstring_view units) { return utf16_to_utf8(std::u16string(units.begin(), units.end())); }

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_WIDE_WIN32_H_
