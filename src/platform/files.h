// File-system access of the program: listing, copying, deleting and making
// folders, on native paths (see file_names.h for turning the program's names
// into native paths). Operations hand back an IoResult that names the file
// and the system's reason when they fail; queries answer true or false.
#ifndef TEXTPAIR_PLATFORM_FILES_H_
#define TEXTPAIR_PLATFORM_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/io_result.h"

namespace textpair {

struct DirEntry {
  std::string name;
  bool is_dir = false;
  std::uint64_t size = 0;
  std::int64_t mtime = 0;  // seconds since the epoch
  // Marked hidden or system (on POSIX: the name begins with a dot); the
  // command interpreter's listings pass over such entries.
  bool hidden = false;
};

// The entries of a folder ("" = the work folder), without "." and "..",
// in no particular order; a folder that cannot be read is a failure, not an
// empty folder.
IoResult list_dir(const std::string& native_dir, std::vector<DirEntry>& entries);
// The entry for one path (its name is the path's last component); false when
// it does not exist.
[[nodiscard]] bool entry_info(const std::string& native, DirEntry& entry);
// True when both paths exist and are the same file.
[[nodiscard]] bool same_file(const std::string& a, const std::string& b);
[[nodiscard]] bool path_exists(const std::string& native);
[[nodiscard]] bool is_directory(const std::string& native);
[[nodiscard]] bool is_regular_file(const std::string& native);
IoResult make_directory(const std::string& native);
IoResult remove_file(const std::string& native);
// Removes an empty folder.
IoResult remove_directory(const std::string& native);
// Copies with overwrite: the target, made or emptied, gets the source's
// bytes; a failure when the source cannot be read (only a regular file is: a
// FIFO, a device or a folder is never opened) or the target cannot be written
// completely, which may then hold part of them. The copy takes the cheapest
// way the system offers: shared extents where the file system has them
// (FICLONE), a copy inside the kernel (copy_file_range, CopyFileW), or
// through memory.
IoResult copy_file(const std::string& from, const std::string& to);
// Adds the bytes of `from` at the end of the file `to` (made when missing),
// the same way as copy_file; a failure as there.
IoResult append_file(const std::string& from, const std::string& to);
// Renames or moves a file or folder. An existing file named `to` is replaced,
// on every platform. Windows cannot rename a file that is open.
IoResult rename_path(const std::string& from, const std::string& to);
std::string current_directory();

namespace files_detail {
// The operations above that a busy file may fail for a moment, tried once;
// the ones above try them again for a while (retry.h).
IoResult remove_file_once(const std::string& native);
IoResult rename_path_once(const std::string& from, const std::string& to);
// Copies into `to`, emptied first or, with `append`, written on from its end.
IoResult copy_once(const std::string& from, const std::string& to, bool append);
// A read-only file the program deletes or replaces (its own scratch, a page
// left in htm_out, an original whose copy stands under its new name) loses
// the mark first, as Windows refuses to delete or replace it otherwise; on
// POSIX the owner may write it again. False when it had no mark to lose.
bool drop_read_only(const std::string& native);
}  // namespace files_detail
// True for the root folder of a file system (the one without a "..").
[[nodiscard]] bool is_root_folder(const std::string& native);
// Gives a file or folder the hidden attribute where the system has one.
void hide_path(const std::string& native);
// The absolute path as the Windows command interpreter shows it, with its
// drive and "\" ("C:\work\txt_in"); "" and "." are the work folder. On
// POSIX the drive is C: and the folders are those of the POSIX path.
std::string shown_path(const std::string& native);
// Free bytes on the file system of the folder; 0 when unknown.
std::uint64_t free_bytes(const std::string& native_dir);

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_FILES_H_
