#include <windows.h>

#include "platform/run_lock.h"

namespace textpair {

namespace {
constexpr const wchar_t* kLockFile = L".textpair_run.lock";
// Another program (a virus scanner, an indexer) may hold the file for a
// moment: a sharing violation is tried again for about a second before the
// folder counts as busy.
constexpr int kTries = 10;
constexpr DWORD kPauseMs = 100;
}  // namespace

RunLock::~RunLock() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool RunLock::acquire() {
  for (int attempt = 0; attempt < kTries; ++attempt) {
    HANDLE h = CreateFileW(kLockFile, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(h);
      return true;
    }
    if (GetLastError() != ERROR_SHARING_VIOLATION) return true;
    Sleep(kPauseMs);
  }
  return false;
}

}  // namespace textpair
