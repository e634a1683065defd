#include <windows.h>

#include "platform/file_io.h"

#include "platform/files.h"
#include "platform/wide_win32.h"

namespace textpair::file_io_detail {

namespace {
HANDLE as_handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
}  // namespace

std::intptr_t open_native(const std::string& native, File::Mode mode) {
  DWORD access = GENERIC_WRITE;
  DWORD disposition = CREATE_ALWAYS;
  switch (mode) {
    case File::Mode::kRead:
      access = GENERIC_READ;
      disposition = OPEN_EXISTING;
      break;
    case File::Mode::kCreate: break;
    case File::Mode::kCreateNew: disposition = CREATE_NEW; break;
    case File::Mode::kAppend:
      access = FILE_APPEND_DATA;
      disposition = OPEN_ALWAYS;
      break;
  }
  // Shared every way, so that other opens, renames and deletes behave as
  // close to POSIX as Windows allows.
  auto open_it = [&] {
    return CreateFileW(wide_path(native).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE h = open_it();
  // A read-only file of the program's own is written again.
  if (h == INVALID_HANDLE_VALUE && mode != File::Mode::kRead && GetLastError() == ERROR_ACCESS_DENIED &&
      files_detail::drop_read_only(native)) {
    h = open_it();
  }
  if (h == INVALID_HANDLE_VALUE) return -1;
  // Only a file on a disk is read or written: a name may reach a device
  // (NUL, a COM port) or a pipe, whose reads and writes wait or go elsewhere.
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    return -1;
  }
  return reinterpret_cast<std::intptr_t>(h);
}

long long read_native(std::intptr_t handle, char* into, std::size_t size) {
  DWORD got = 0;
  DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  if (!ReadFile(as_handle(handle), into, want, &got, nullptr)) return -1;
  return got;
}

bool write_native(std::intptr_t handle, const char* bytes, std::size_t size) {
  while (size > 0) {
    DWORD put = 0;
    DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    if (!WriteFile(as_handle(handle), bytes, want, &put, nullptr) || put == 0) return false;
    bytes += put;
    size -= put;
  }
  return true;
}

bool seek_native(std::intptr_t handle, std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(as_handle(handle), at, nullptr, FILE_BEGIN) != 0;
}

bool close_native(std::intptr_t handle) { return CloseHandle(as_handle(handle)) != 0; }

}  // namespace textpair::file_io_detail
