// Windows file-name rules on any file system: "\" separates folders, names
// are matched without regard to ASCII case, wildcards follow the command
// interpreter's rules, and listings come in NTFS order.
#ifndef TEXTPAIR_PLATFORM_FILE_NAMES_H_
#define TEXTPAIR_PLATFORM_FILE_NAMES_H_

#include <string>
#include <string_view>

namespace textpair {

// The path of the existing entry that `name` denotes ("TXT_IN\x.txt" finds
// "txt_in/x.txt"); each component is matched without regard to ASCII case.
// Components that do not exist are kept as written, so a new file takes the
// name as written. "\" and "/" both separate folders.
std::string native_path(std::string_view name);

// Splits "folder\pattern" into the folder part ("" for the work folder;
// "folder" without the trailing separator) and the last component.
void split_folder(std::string_view name, std::string& folder, std::string& last);

bool has_wildcards(std::string_view name);

// Windows wildcard match of one name, ASCII case ignored: "*" any run, "?"
// one byte (or none at a dot or the end of the name), "*." names without a
// dot, "*.*" every name, "x.*" also "x", and a literal three-letter extension
// after a "*" also matches longer extensions beginning with it ("a.html"
// matches "*.htm", as the short names make it). A name without wildcards
// matches itself in any case.
bool wildcard_match(std::string_view pattern, std::string_view name);

// Native paths, with the system's own separator ("/" on POSIX, "\" on
// Windows). join_path("", name) is the name itself; parent_path gives ""
// for a bare name and the root for a name in the root.
std::string join_path(std::string_view native_dir, std::string_view name);
std::string parent_path(std::string_view native);

// NTFS listing order: bytes compared with a-z folded to A-Z, ties broken by
// the plain bytes. Negative, zero or positive like strcmp.
int ntfs_compare(std::string_view a, std::string_view b);

// True when the two names are the same with ASCII case ignored.
bool same_name(std::string_view a, std::string_view b);

// True for a name Windows does not keep as a file of that name: a device
// ("con", "prn", "aux", "nul", "conin$", "conout$", "com0" to "com9",
// "lpt0" to "lpt9", also with the superscript digits 1 to 3), in any case
// and with any extension ("Aux.txt", "nul.tar.gz"), and a name that ends in
// a dot or a blank, which Windows trims and so reaches another file.
bool is_reserved_windows_name(std::string_view name);

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_FILE_NAMES_H_
