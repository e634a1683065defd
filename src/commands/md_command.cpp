// md: makes a folder, and the folders above it that are missing.
#include "commands/builtins.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

void md_command(CommandIo& io, const Args& args) {
  if (args.empty()) {
    complain(io.console, kSyntaxError);
    return;
  }
  for (const Word& w : args) {
    std::string native = native_path(w.text);
    if (native.empty()) continue;
    if (path_exists(native)) {
      complain(io.console, "A subdirectory or file " + w.text + " already exists.");
      continue;
    }
    bool ok = true;
    for (std::size_t slash = native.find('/', 1); ok; slash = native.find('/', slash + 1)) {
      std::string part = native.substr(0, slash);
      if (!is_directory(part) && !make_directory(part)) ok = false;
      if (slash == std::string::npos) break;
    }
    if (!ok) complain(io.console, "The system cannot find the path specified.");
  }
}

}  // namespace textpair
