#include "platform/file_names.h"

#include <dirent.h>

#include <cstring>
#include <string>
#include <vector>

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
  // Only the names are read, and a folder that cannot be read keeps the
  // name as written: looking a name up is not one of the work's file
  // operations.
  std::string best;
  bool any = false;
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (d == nullptr) return false;
  while (dirent* e = readdir(d)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    if (same_name(e->d_name, component) && (!any || ntfs_compare(e->d_name, best) < 0)) {
      best = e->d_name;
      any = true;
    }
  }
  closedir(d);
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
