#include <string>
#include <vector>

#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

// The entry of `dir` whose name equals `component` without regard to ASCII
// case; the exact name wins, then the first in listing order.
bool resolve_component(const std::string& dir, const std::string& component, std::string& found) {
  std::string exact = dir.empty() ? component : dir + "/" + component;
  if (path_exists(exact)) {
    found = component;
    return true;
  }
  std::string best;
  bool any = false;
  for (const DirEntry& e : list_dir(dir)) {
    if (same_name(e.name, component) && (!any || ntfs_compare(e.name, best) < 0)) {
      best = e.name;
      any = true;
    }
  }
  if (any) found = best;
  return any;
}

}  // namespace

std::string native_path(std::string_view name) {
  std::string result;
  bool absolute = !name.empty() && (name[0] == '/' || name[0] == '\\');
  if (absolute) result = "/";
  std::vector<std::string> parts;
  std::string part;
  for (char c : name) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);

  std::string dir = absolute ? "/" : "";
  bool resolving = true;
  for (const std::string& p : parts) {
    std::string use = p;
    if (resolving && p != "." && p != "..") {
      std::string found;
      if (resolve_component(dir == "/" ? "/" : dir, p, found)) {
        use = found;
      } else {
        resolving = false;
      }
    }
    if (dir.empty()) {
      dir = use;
    } else if (dir == "/") {
      dir = "/" + use;
    } else {
      dir += "/" + use;
    }
  }
  return dir;
}

}  // namespace textpair
