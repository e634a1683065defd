#include <windows.h>

#include "platform/files.h"

#include <cstring>

#include "platform/fault_seam.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/wide_win32.h"

namespace textpair {

namespace {

std::wstring wide_or_dot(const std::string& native) { return wide_path(native.empty() ? "." : native); }

// 100 ns steps since 1601 to seconds since 1970.
std::int64_t unix_seconds(const FILETIME& t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return static_cast<std::int64_t>(v.QuadPart / 10000000ULL) - 11644473600LL;
}

void fill(DirEntry& entry, DWORD attributes, DWORD size_high, DWORD size_low, const FILETIME& written) {
  entry.is_dir = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.size = entry.is_dir ? 0 : (static_cast<std::uint64_t>(size_high) << 32) | size_low;
  entry.mtime = unix_seconds(written);
  entry.hidden = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

bool attributes_of(const std::string& native, DWORD& attributes) {
  attributes = GetFileAttributesW(wide_or_dot(native).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES;
}

// The plain absolute path, as it is shown; GetFullPathNameW takes a name of
// any length, so the name is not given in the long form.
std::wstring full_path(const std::string& native) {
  std::wstring name = wide(native.empty() ? "." : native);
  DWORD need = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (need == 0) return name;
  std::wstring full(need, L'\0');
  DWORD got = GetFullPathNameW(name.c_str(), need, full.data(), nullptr);
  full.resize(got < need ? got : 0);
  return full;
}

}  // namespace

IoResult list_dir(const std::string& native_dir, std::vector<DirEntry>& entries) {
  entries.clear();
  if (auto fault = injected_fault(FileOp::kList, native_dir)) return fault->on(native_dir);
  WIN32_FIND_DATAW found;
  std::wstring pattern = wide_path(join_path(native_dir.empty() ? "." : native_dir, "*"));
  HANDLE h = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (h == INVALID_HANDLE_VALUE) return IoResult::from_system(native_dir.empty() ? "." : native_dir);
  do {
    std::string name = narrow(found.cFileName);
    if (name == "." || name == "..") continue;
    DirEntry entry;
    entry.name = name;
    fill(entry, found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow, found.ftLastWriteTime);
    entries.push_back(std::move(entry));
  } while (FindNextFileW(h, &found));
  IoResult result = GetLastError() == ERROR_NO_MORE_FILES ? IoResult() : IoResult::from_system(native_dir);
  FindClose(h);
  return result;
}

bool entry_info(const std::string& native, DirEntry& entry) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(wide_or_dot(native).c_str(), GetFileExInfoStandard, &data)) return false;
  std::size_t sep = native.find_last_of("\\/");
  entry.name = sep == std::string::npos ? native : native.substr(sep + 1);
  fill(entry, data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
  return true;
}

namespace {

// A file's identity: its volume and its ID on it. The 128-bit ID where the
// file system has one (ReFS, and some network shares, whose 64-bit index
// need not be unique), the 64-bit index otherwise.
struct FileIdentity {
  std::uint64_t volume = 0;
  unsigned char id[16] = {};
  bool operator==(const FileIdentity&) const = default;
};

bool identity_of(const std::string& native, FileIdentity& identity) {
  HANDLE h = CreateFileW(wide_or_dot(native).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  FILE_ID_INFO id_info;
  BY_HANDLE_FILE_INFORMATION info;
  bool ok = true;
  if (GetFileInformationByHandleEx(h, FileIdInfo, &id_info, sizeof id_info)) {
    identity.volume = id_info.VolumeSerialNumber;
    std::memcpy(identity.id, id_info.FileId.Identifier, sizeof identity.id);
  } else if (GetFileInformationByHandle(h, &info)) {
    identity.volume = info.dwVolumeSerialNumber;
    const std::uint64_t index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    std::memcpy(identity.id, &index, sizeof index);
  } else {
    ok = false;
  }
  CloseHandle(h);
  return ok;
}

}  // namespace

bool same_file(const std::string& a, const std::string& b) {
  FileIdentity ia, ib;
  return identity_of(a, ia) && identity_of(b, ib) && ia == ib;
}

bool path_exists(const std::string& native) {
  DWORD attributes;
  return attributes_of(native, attributes);
}

bool is_directory(const std::string& native) {
  DWORD attributes;
  return attributes_of(native, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool is_regular_file(const std::string& native) {
  DWORD attributes;
  return !native.empty() && attributes_of(native, attributes) &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

namespace {
// The result of a call that returned `done`, with the system's reason when
// it failed.
IoResult result_of(BOOL done, const std::string& path) { return done ? IoResult() : IoResult::from_system(path); }
}  // namespace

IoResult make_directory(const std::string& native) {
  if (auto fault = injected_fault(FileOp::kMakeDir, native)) return fault->on(native);
  return result_of(CreateDirectoryW(wide_path(native).c_str(), nullptr), native);
}

bool files_detail::drop_read_only(const std::string& native) {
  DWORD attributes;
  if (!attributes_of(native, attributes) || (attributes & FILE_ATTRIBUTE_READONLY) == 0) return false;
  return SetFileAttributesW(wide_path(native).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != 0;
}

IoResult files_detail::remove_file_once(const std::string& native) {
  if (auto fault = injected_fault(FileOp::kRemove, native)) return fault->on(native);
  if (DeleteFileW(wide_path(native).c_str())) return {};
  const bool denied = GetLastError() == ERROR_ACCESS_DENIED;
  IoResult failure = IoResult::from_system(native);
  if (denied && drop_read_only(native)) return result_of(DeleteFileW(wide_path(native).c_str()), native);
  return failure;
}

IoResult remove_directory(const std::string& native) {
  if (auto fault = injected_fault(FileOp::kRemoveDir, native)) return fault->on(native);
  return result_of(RemoveDirectoryW(wide_path(native).c_str()), native);
}

namespace {

// The source's bytes into a new or emptied file, or at the end of one; not
// its attributes or times, as on POSIX.
IoResult copy_into(const std::string& from, const std::string& to, bool append) {
  if (auto fault = injected_fault(FileOp::kCopy, to)) return fault->on(to);
  if (!is_regular_file(from)) return IoResult::failed(from, "not a regular file");
  File in(from, File::Mode::kRead);
  if (!in.is_open()) return in.close();
  File out(to, append ? File::Mode::kAppend : File::Mode::kCreate);
  char buf[1 << 16];
  for (std::size_t got; (got = in.read(buf, sizeof buf)) > 0;) {
    if (!out.write({buf, got})) break;
  }
  IoResult read = in.close();
  IoResult written = out.close();
  return read.ok() ? written : read;
}

}  // namespace

IoResult files_detail::copy_once(const std::string& from, const std::string& to, bool append) {
  return copy_into(from, to, append);
}

IoResult files_detail::rename_path_once(const std::string& from, const std::string& to) {
  if (auto fault = injected_fault(FileOp::kRename, to)) return fault->on(from);
  auto move = [](const std::string& a, const std::string& b) {
    if (MoveFileExW(wide_path(a).c_str(), wide_path(b).c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    return GetLastError() == ERROR_ACCESS_DENIED && drop_read_only(b) &&
           MoveFileExW(wide_path(a).c_str(), wide_path(b).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  };
  if (from != to && same_file(from, to)) {
    // Only the case changes: some file systems take that as a rename onto
    // itself and keep the old spelling, so the name goes through a free one.
    for (int n = 1; n < 1000; ++n) {
      std::string step = join_path(parent_path(from), "~rename" + std::to_string(n) + ".tmp");
      if (path_exists(step)) continue;
      if (!move(from, step)) return IoResult::from_system(from);
      if (move(step, to)) return {};
      IoResult failure = IoResult::from_system(from);
      move(step, from);
      return failure;
    }
    return IoResult::failed(from, "no free name to rename through");
  }
  return result_of(move(from, to), from);
}

std::string current_directory() {
  DWORD need = GetCurrentDirectoryW(0, nullptr);
  std::wstring dir(need, L'\0');
  DWORD got = GetCurrentDirectoryW(need, dir.data());
  dir.resize(got < need ? got : 0);
  return narrow(dir);
}

bool is_root_folder(const std::string& native) {
  std::wstring full = full_path(native);
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  return full.size() <= 3 && full.size() >= 2 && full[1] == L':';
}

void hide_path(const std::string& native) {
  DWORD attributes;
  if (attributes_of(native, attributes)) {
    SetFileAttributesW(wide_path(native).c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
  }
}

std::string shown_path(const std::string& native) { return narrow(full_path(native)); }

std::uint64_t free_bytes(const std::string& native_dir) {
  ULARGE_INTEGER available;
  if (!GetDiskFreeSpaceExW(wide_or_dot(native_dir).c_str(), &available, nullptr, nullptr)) return 0;
  return available.QuadPart;
}

}  // namespace textpair
