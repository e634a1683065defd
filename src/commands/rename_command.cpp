// rename: gives one file or folder a new name in the same folder.
#include "commands/builtins.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

void rename_command(CommandIo& io, const Args& args) {
  if (args.size() != 2 || has_wildcards(args[0].text) || has_wildcards(args[1].text) ||
      args[1].text.find_first_of("\\/:") != std::string::npos || args[1].text.empty()) {
    complain(io.console, kSyntaxError);
    return;
  }
  std::string from = native_path(args[0].text);
  if (!path_exists(from)) {
    complain(io.console, "The system cannot find the file specified.");
    return;
  }
  std::string folder, ignored;
  split_folder(args[0].text, folder, ignored);
  std::string existing = native_path(folder.empty() ? args[1].text : folder + "\\" + args[1].text);
  std::string to = join_path(parent_path(from), args[1].text);
  // Another file under the new name blocks the rename; the same file under
  // another spelling of its name does not.
  if (path_exists(existing) && !same_file(existing, from)) {
    complain(io.console, "A duplicate file name exists, or the file cannot be found.");
    return;
  }
  if (!rename_path(from, to)) complain(io.console, "Access is denied.");
}

}  // namespace textpair
