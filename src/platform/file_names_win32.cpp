#include "platform/file_names.h"

#include <string>

namespace textpair {

// The file system itself ignores case here; only the separator changes.
std::string native_path(std::string_view name) {
  std::string path(name);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace textpair
