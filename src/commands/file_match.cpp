#include "commands/file_match.h"

#include <algorithm>

#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

FileArgument read_file_argument(const std::string& arg) {
  FileArgument a;
  split_folder(arg, a.folder, a.pattern);
  if (a.pattern.empty() && !arg.empty()) {
    a.names_folder = true;
  } else if (!has_wildcards(a.pattern) && !a.pattern.empty() && is_directory(native_path(arg))) {
    a.folder = arg;
    a.names_folder = true;
  }
  if (a.names_folder) a.pattern.assign(1, '*');
  a.wildcard = a.names_folder || has_wildcards(a.pattern);
  return a;
}

std::string native_folder(const FileArgument& arg) { return arg.folder.empty() ? "" : native_path(arg.folder); }

std::vector<DirEntry> matching_entries(const FileArgument& arg, bool with_folders, IoFailures& failures,
                                       bool with_hidden) {
  std::vector<DirEntry> found;
  std::string folder = native_folder(arg);
  auto wanted = [&](const DirEntry& e) { return (with_folders || !e.is_dir) && (with_hidden || !e.hidden); };
  if (!arg.wildcard) {
    DirEntry e;
    std::string path = native_path(join_name(arg.folder, arg.pattern));
    if (!arg.pattern.empty() && entry_info(path, e) && wanted(e)) found.push_back(e);
    return found;
  }
  std::vector<DirEntry> entries;
  // A folder that is not there names nothing, as the interpreter has it; one
  // that is there and cannot be read is a failure.
  if (IoResult listed = list_dir(folder, entries); !listed && is_directory(folder.empty() ? "." : folder)) {
    failures.note_read(listed);
  }
  for (DirEntry& e : entries) {
    if (!wanted(e)) continue;
    if (wildcard_match(arg.pattern, e.name)) found.push_back(std::move(e));
  }
  sort_listing(found);
  return found;
}

std::string join_name(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "\\" + name;
}

void sort_listing(std::vector<DirEntry>& entries) {
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) { return ntfs_compare(a.name, b.name) < 0; });
}

}  // namespace textpair
