// UTF-8 <-> UTF-16 conversion for the wide Windows calls. Bytes that are not
// valid UTF-8 become U+FFFD, so a name always converts.
#ifndef TEXTPAIR_PLATFORM_UTF16_H_
#define TEXTPAIR_PLATFORM_UTF16_H_

#include <string>
#include <string_view>

namespace textpair {

std::u16string utf8_to_utf16(std::string_view utf8);
std::string utf16_to_utf8(std::u16string_view utf16);

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_UTF16_H_
