// del: deletes the files a name, a wildcard pattern or a folder names,
// without asking (the program always gives /q, and nobody could answer).
// Hidden and system files are left alone unless /a is given.
#include "commands/builtins.h"
#include "commands/file_match.h"
#include "platform/file_names.h"

namespace textpair {

void del_command(CommandIo& io, const Args& args) {
  std::vector<std::string> names;
  if (!read_names(io, args, {"/q", "/f", "/a"}, names)) return;
  const bool all = has_switch(args, "/a");
  if (names.empty()) {
    complain(io.console, kSyntaxError);
    return;
  }
  for (const std::string& name : names) {
    FileArgument arg = read_file_argument(name);
    std::string folder = native_folder(arg);
    if (!is_directory(folder)) {
      complain(io.console, "The system cannot find the path specified.");
      continue;
    }
    std::vector<DirEntry> found = matching_entries(arg, false, io.failures, all);
    if (found.empty()) {
      complain(io.console, "Could Not Find " + shown_path(native_path(join_name(arg.folder, arg.pattern))));
      continue;
    }
    for (const DirEntry& e : found) {
      std::string path = join_path(folder, e.name);
      // A file left behind would be taken for this run's work.
      if (IoResult removed = remove_file(path); !removed) {
        complain(io.console, shown_path(path));
        complain(io.console, "Access is denied.");
        io.failures.note(removed);
      }
    }
  }
}

}  // namespace textpair
