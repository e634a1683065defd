// What a command's file argument names: one file, the files matching a
// wildcard pattern in a folder, or every entry of a folder. Names are found
// without regard to ASCII case and listed in NTFS order.
#ifndef TEXTPAIR_COMMANDS_FILE_MATCH_H_
#define TEXTPAIR_COMMANDS_FILE_MATCH_H_

#include <string>
#include <vector>

#include "common/io_failures.h"
#include "platform/files.h"

namespace textpair {

struct FileArgument {
  std::string folder;         // as written, without a trailing "\"; "" = the work folder
  std::string pattern;        // the last component; "*" when the argument names a folder
  bool names_folder = false;  // "compare_in\" or an existing folder's name
  bool wildcard = false;      // the pattern has wildcards, or names_folder
};

FileArgument read_file_argument(const std::string& arg);

// The native path of the argument's folder ("" = the work folder).
std::string native_folder(const FileArgument& arg);

// The entries the argument names, in listing order. Folders only when
// `with_folders`; hidden and system entries only when `with_hidden`, as
// dir, copy, del and for pass over them even when they are named. A name
// without wildcards names at most one entry. A folder that cannot be read
// names none, and is noted in `failures`.
std::vector<DirEntry> matching_entries(const FileArgument& arg, bool with_folders, IoFailures& failures,
                                       bool with_hidden = false);

// "folder\name", or the name alone for the work folder.
std::string join_name(const std::string& folder, const std::string& name);

// Sorts entries in listing order.
void sort_listing(std::vector<DirEntry>& entries);

}  // namespace textpair

#endif  // TEXTPAIR_COMMANDS_FILE_MATCH_H_
