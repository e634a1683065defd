#include "platform/file_names.h"

#include "common/bytes.h"

namespace textpair {

void split_folder(std::string_view name, std::string& folder, std::string& last) {
  std::size_t sep = name.find_last_of("\\/");
  if (sep == std::string_view::npos) {
    folder.clear();
    last = std::string(name);
    return;
  }
  folder = std::string(name.substr(0, sep));
  last = std::string(name.substr(sep + 1));
}

bool has_wildcards(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

namespace {

bool glob(std::string_view p, std::string_view s) {
  std::size_t pi = 0, si = 0, star = std::string_view::npos, mark = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == s[si])) {
      ++pi;
      ++si;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = si;
    } else if (star != std::string_view::npos) {
      pi = star + 1;
      si = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

}  // namespace

bool wildcard_match(std::string_view pattern, std::string_view name) {
  std::string p = lower_ascii(pattern);
  std::string n = lower_ascii(name);
  if (p == "*" || p == "*.*") return true;
  if (p == "*.") return n.find('.') == std::string::npos;
  if (glob(p, n)) return true;
  // A literal three-letter extension also matches longer extensions.
  std::size_t dot = p.rfind('.');
  if (dot != std::string::npos && p.size() - dot == 4 && p.find_first_of("*?", dot) == std::string::npos) {
    std::size_t ndot = n.rfind('.');
    if (ndot != std::string::npos && n.size() - ndot > 4) {
      return glob(p, n.substr(0, ndot + 4));
    }
  }
  return false;
}

int ntfs_compare(std::string_view a, std::string_view b) {
  auto up = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    int ca = up(static_cast<unsigned char>(a[i]));
    int cb = up(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace textpair
