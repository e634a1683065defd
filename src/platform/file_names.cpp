#include "platform/file_names.h"

#include <algorithm>
#include <vector>

#include "platform/ascii_case.h"

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

namespace {
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif
}  // namespace

std::string join_path(std::string_view native_dir, std::string_view name) {
  std::string path(native_dir);
  if (!path.empty() && path.back() != kSeparator) path += kSeparator;
  path += name;
  return path;
}

std::string parent_path(std::string_view native) {
  std::size_t sep = native.rfind(kSeparator);
  if (sep == std::string_view::npos) return "";
  bool drive_root = sep == 2 && native[1] == ':';
  return std::string(native.substr(0, sep == 0 || drive_root ? sep + 1 : sep));
}

bool has_wildcards(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

namespace {

char fold(char c) { return ascii_upper(c); }

bool same_folded(char a, char b) { return fold(a) == fold(b); }

// A pattern element, as the file system reads a pattern: "*" before a "."
// stops at the name's last dot, "?" matches nothing at a dot or the end of
// the name, and a "." before a wildcard or at the end also matches the end
// of a name without a dot.
enum class Kind { kLiteral, kStar, kStarToLastDot, kOneOrNone, kDotOrEnd };
struct Element {
  Kind kind;
  char c;
};

std::vector<Element> compile(std::string_view p) {
  std::vector<Element> out;
  for (std::size_t i = 0; i < p.size(); ++i) {
    char c = p[i];
    char after = i + 1 < p.size() ? p[i + 1] : '\0';
    if (c == '*') {
      out.push_back({after == '.' ? Kind::kStarToLastDot : Kind::kStar, c});
    } else if (c == '?') {
      out.push_back({Kind::kOneOrNone, c});
    } else if (c == '.' && (after == '\0' || after == '*' || after == '?')) {
      out.push_back({Kind::kDotOrEnd, c});
    } else {
      out.push_back({Kind::kLiteral, fold(c)});
    }
  }
  return out;
}

// Walks the pattern once, keeping the set of name positions reached so far.
bool match(const std::vector<Element>& pattern, std::string_view name) {
  const std::size_t n = name.size();
  const std::size_t last_dot = name.rfind('.');
  std::vector<char> reached(n + 1, 0), next(n + 1, 0);
  reached[0] = 1;
  for (const Element& e : pattern) {
    std::fill(next.begin(), next.end(), 0);
    bool any = false;
    for (std::size_t j = 0; j <= n; ++j) {
      if (!reached[j]) continue;
      any = true;
      bool at_dot = j < n && name[j] == '.';
      switch (e.kind) {
        case Kind::kLiteral:
          if (j < n && fold(name[j]) == e.c) next[j + 1] = 1;
          break;
        case Kind::kStar:
          for (std::size_t k = j; k <= n; ++k) next[k] = 1;
          break;
        case Kind::kStarToLastDot: {
          std::size_t limit = (last_dot != std::string_view::npos && last_dot >= j) ? last_dot : n;
          for (std::size_t k = j; k <= limit; ++k) next[k] = 1;
          break;
        }
        case Kind::kOneOrNone:
          if (j < n && !at_dot) next[j + 1] = 1;
          if (j == n || at_dot) next[j] = 1;
          break;
        case Kind::kDotOrEnd:
          if (at_dot) next[j + 1] = 1;
          if (j == n) next[j] = 1;
          break;
      }
    }
    if (!any) return false;
    reached.swap(next);
  }
  return reached[n] != 0;
}

// A name with an extension longer than three letters also has a short name
// whose extension is the first three of them; "*.htm" finds "a.html" by it.
// A wildcard in front stands for the shortened base of the short name.
bool matches_short_extension(std::string_view pattern, std::string_view name) {
  std::size_t dot = pattern.rfind('.');
  if (dot == std::string_view::npos || pattern.size() - dot != 4) return false;
  if (pattern.find_first_of("*?", dot) != std::string_view::npos) return false;
  if (pattern.substr(0, dot).find('*') == std::string_view::npos) return false;
  std::size_t name_dot = name.rfind('.');
  if (name_dot == std::string_view::npos || name.size() - name_dot <= 4) return false;
  return match(compile(pattern), name.substr(0, name_dot + 4));
}

}  // namespace

bool wildcard_match(std::string_view pattern, std::string_view name) {
  return match(compile(pattern), name) || matches_short_extension(pattern, name);
}

int ntfs_compare(std::string_view a, std::string_view b) {
  auto up = [](char c) { return static_cast<unsigned char>(ascii_upper(c)); };
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    int ca = up(a[i]);
    int cb = up(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool same_name(std::string_view a, std::string_view b) { return std::ranges::equal(a, b, same_folded); }

bool is_reserved_windows_name(std::string_view name) {
  if (name.empty()) return false;
  if (name.back() == '.' || name.back() == ' ') return true;
  // The device is named by the part before the first dot; blanks before
  // that dot do not count ("aux .txt" is the device too).
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  for (std::string_view device : {"con", "prn", "aux", "nul", "conin$", "conout$"}) {
    if (same_name(stem, device)) return true;
  }
  if (stem.size() < 4) return false;
  std::string_view port = stem.substr(0, 3);
  if (!same_name(port, "com") && !same_name(port, "lpt")) return false;
  std::string_view digit = stem.substr(3);
  if (digit.size() == 1) return digit[0] >= '0' && digit[0] <= '9';
  // "¹", "²" and "³" in UTF-8.
  return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

}  // namespace textpair
