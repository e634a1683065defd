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
    // The missing folders, innermost first, then made outermost first.
    std::vector<std::string> missing;
    for (std::string part = native; !part.empty() && !is_directory(part); part = parent_path(part)) {
      missing.push_back(part);
      if (parent_path(part) == part) break;
    }
    IoResult made;
    for (auto it = missing.rbegin(); made && it != missing.rend(); ++it) made = make_directory(*it);
    if (!made) {
      complain(io.console, "The system cannot find the path specified.");
      io.failures.note(made);
    }
  }
}

}  // namespace textpair
