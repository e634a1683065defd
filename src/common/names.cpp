#include "common/names.h"

#include "common/bytes.h"

namespace textpair {

namespace {
bool is_ascii_alnum(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

std::string clean_stem(std::string_view stem) {
  std::string out(stem);
  for (char& c : out) {
    if (!is_ascii_alnum(c)) c = '_';
  }
  return out;
}

std::string guard_page_prefix(std::string name) {
  if (lower_ascii(name.substr(0, 5)) == "page_") return "file_" + name;
  return name;
}

std::string clean_file_name(std::string_view name, std::size_t ext, std::string_view suffix) {
  if (ext > name.size()) ext = name.size();
  return guard_page_prefix(clean_stem(trim_blanks(name.substr(0, ext))) + std::string(suffix) +
                           std::string(name.substr(ext)));
}

}  // namespace textpair
