#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
// Linux-only calls, where the build found them (CMakeLists.txt); any other
// POSIX system copies through memory.
#ifdef TEXTPAIR_HAVE_FICLONE
#include <linux/fs.h>  // FICLONE
#include <sys/ioctl.h>
#endif

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/fault_seam.h"
#include "platform/file_io.h"

namespace textpair {

namespace {
const char* dir_or_dot(const std::string& dir) { return dir.empty() ? "." : dir.c_str(); }
// The POSIX way of hiding a file: a name that begins with a dot.
bool dot_hidden(const std::string& name) { return name.size() > 1 && name[0] == '.' && name != ".."; }
}  // namespace

IoResult list_dir(const std::string& native_dir, std::vector<DirEntry>& entries) {
  entries.clear();
  if (auto fault = injected_fault(FileOp::kList, native_dir)) return fault->on(native_dir);
  DIR* d = opendir(dir_or_dot(native_dir));
  if (d == nullptr) return IoResult::from_system(dir_or_dot(native_dir));
  std::string prefix = native_dir.empty() ? "" : native_dir + "/";
  while (dirent* e = readdir(d)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    DirEntry entry;
    entry.name = e->d_name;
    entry.hidden = dot_hidden(entry.name);
    struct stat st {};
    if (stat((prefix + entry.name).c_str(), &st) == 0) {
      entry.is_dir = S_ISDIR(st.st_mode);
      entry.size = entry.is_dir ? 0 : static_cast<std::uint64_t>(st.st_size);
      entry.mtime = st.st_mtime;
    }
    entries.push_back(std::move(entry));
  }
  closedir(d);
  return {};
}

bool entry_info(const std::string& native, DirEntry& entry) {
  struct stat st {};
  if (stat(dir_or_dot(native), &st) != 0) return false;
  std::size_t slash = native.rfind('/');
  entry.name = slash == std::string::npos ? native : native.substr(slash + 1);
  entry.hidden = dot_hidden(entry.name);
  entry.is_dir = S_ISDIR(st.st_mode);
  entry.size = entry.is_dir ? 0 : static_cast<std::uint64_t>(st.st_size);
  entry.mtime = st.st_mtime;
  return true;
}

bool same_file(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return stat(dir_or_dot(a), &sa) == 0 && stat(dir_or_dot(b), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool path_exists(const std::string& native) {
  struct stat st {};
  return stat(dir_or_dot(native), &st) == 0;
}

bool is_directory(const std::string& native) {
  struct stat st {};
  return stat(dir_or_dot(native), &st) == 0 && S_ISDIR(st.st_mode);
}

bool is_regular_file(const std::string& native) {
  struct stat st {};
  return stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {
// The result of a call that returned `status`, 0 being success.
IoResult result_of(int status, const std::string& path) {
  return status == 0 ? IoResult() : IoResult::from_system(path);
}
}  // namespace

IoResult make_directory(const std::string& native) {
  if (auto fault = injected_fault(FileOp::kMakeDir, native)) return fault->on(native);
  return result_of(mkdir(native.c_str(), 0777), native);
}

IoResult files_detail::remove_file_once(const std::string& native) {
  if (auto fault = injected_fault(FileOp::kRemove, native)) return fault->on(native);
  return result_of(unlink(native.c_str()), native);
}

IoResult remove_directory(const std::string& native) {
  if (auto fault = injected_fault(FileOp::kRemoveDir, native)) return fault->on(native);
  return result_of(rmdir(native.c_str()), native);
}

namespace {

// Copies what is left of `in` through memory.
bool copy_through_memory(int in, int out) {
  char buf[1 << 16];
  for (;;) {
    ssize_t got = read(in, buf, sizeof buf);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    ssize_t done = 0;
    while (done < got) {
      ssize_t put = write(out, buf + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      done += put;
    }
  }
}

// Copies `in` from its current offset, inside the kernel where it can, and
// through memory where the file systems do not support that.
bool copy_rest(int in, int out) {
#ifndef TEXTPAIR_HAVE_COPY_FILE_RANGE
  return copy_through_memory(in, out);
#else
  for (;;) {
    ssize_t put = copy_file_range(in, nullptr, out, nullptr, std::size_t{1} << 30, 0);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      const bool unsupported = errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP;
      return unsupported && copy_through_memory(in, out);
    }
    // The end as the kernel copy sees it; a file system that copies nothing
    // in the kernel (some report 0 at once) is read to its end as well.
    if (put == 0) return copy_through_memory(in, out);
  }
#endif
}

// Copies `from` into `to`, which is emptied first or, with `append`, written
// on from its end. A failure names the file it happened on: a read error
// the source, everything else the target.
IoResult copy_into(const std::string& from, const std::string& to, bool append) {
  if (auto fault = injected_fault(FileOp::kCopy, to)) return fault->on(to);
  int in = static_cast<int>(file_io_detail::open_native(from, File::Mode::kRead));
  if (in < 0) return IoResult::from_system(from);
  // The target is opened as every written file is, so only a regular file
  // is written; an appended one loses O_APPEND, which the kernel copy refuses.
  int out = static_cast<int>(file_io_detail::open_native(to, append ? File::Mode::kAppend : File::Mode::kCreate));
  if (out >= 0 && append) {
    const int flags = fcntl(out, F_GETFL);
    if (flags < 0 || fcntl(out, F_SETFL, flags & ~O_APPEND) != 0) {
      close(out);
      out = -1;
    }
  }
  if (out < 0) {
    IoResult failure = IoResult::from_system(to);
    close(in);
    return failure;
  }
  bool ok;
  if (append) {
    ok = lseek(out, 0, SEEK_END) >= 0 && copy_rest(in, out);
  } else {
    // Where the file system shares extents, the target shares the source's.
#ifdef TEXTPAIR_HAVE_FICLONE
    ok = ioctl(out, FICLONE, in) == 0 || copy_rest(in, out);
#else
    ok = copy_rest(in, out);
#endif
  }
  IoResult result = ok ? IoResult() : IoResult::from_system(to);
  close(in);
  if (close(out) != 0 && result.ok()) result = IoResult::from_system(to);
  return result;
}

}  // namespace

IoResult files_detail::copy_once(const std::string& from, const std::string& to, bool append) {
  return copy_into(from, to, append);
}

IoResult files_detail::rename_path_once(const std::string& from, const std::string& to) {
  if (auto fault = injected_fault(FileOp::kRename, to)) return fault->on(from);
  // A rename that replaces a file makes ext4 write the new file's data out
  // first, its guard for programs that replace a file without syncing it: a
  // wait that grows faster than the file (a quarter of a second for a 66 MB
  // page, which is moved again a moment later). So the old file goes first,
  // when the rename would replace it anyway: a file, on the same file system
  // as a source that is there and is no folder, and not the source itself.
  struct stat source {
  }, target{};
  if (lstat(from.c_str(), &source) == 0 && lstat(to.c_str(), &target) == 0 && S_ISREG(target.st_mode) &&
      !S_ISDIR(source.st_mode) && source.st_dev == target.st_dev && source.st_ino != target.st_ino) {
    unlink(to.c_str());
  }
  return result_of(std::rename(from.c_str(), to.c_str()), from);
}

bool files_detail::drop_read_only(const std::string& native) {
  struct stat st {};
  if (stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || (st.st_mode & S_IWUSR) != 0) return false;
  return chmod(native.c_str(), st.st_mode | S_IWUSR) == 0;
}

bool is_root_folder(const std::string& native) {
  struct stat here {
  }, up{};
  std::string dir = native.empty() ? "." : native;
  return stat(dir.c_str(), &here) == 0 && stat((dir + "/..").c_str(), &up) == 0 && here.st_dev == up.st_dev &&
         here.st_ino == up.st_ino;
}

void hide_path(const std::string&) {}

std::string shown_path(const std::string& native) {
  std::string path = native;
  if (path.empty() || path == ".") {
    path = current_directory();
  } else if (path[0] != '/') {
    path = current_directory() + "/" + path;
  }
  std::string out = "C:";
  for (char c : path) out += c == '/' ? '\\' : c;
  if (out == "C:") out += '\\';
  return out;
}

std::string current_directory() {
  char buf[PATH_MAX];
  return getcwd(buf, sizeof buf) != nullptr ? std::string(buf) : std::string();
}

std::uint64_t free_bytes(const std::string& native_dir) {
  struct statvfs vfs {};
  if (statvfs(dir_or_dot(native_dir), &vfs) != 0) return 0;
  return static_cast<std::uint64_t>(vfs.f_bavail) * vfs.f_frsize;
}

}  // namespace textpair
