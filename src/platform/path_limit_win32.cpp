#include <windows.h>

#include "platform/path_limit.h"

namespace textpair {

// Long paths are there for every program only when Windows has them turned
// on (Windows 10 1607 and later, LongPathsEnabled); ntdll says so. Older
// systems, and Wine, have no such call: MAX_PATH holds there.
std::size_t path_length_limit() {
  using Query = BOOLEAN(WINAPI*)();
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  FARPROC found = ntdll != nullptr ? GetProcAddress(ntdll, "RtlAreLongPathsEnabled") : nullptr;
  if (found != nullptr && reinterpret_cast<Query>(reinterpret_cast<void*>(found))()) return 0;
  return MAX_PATH - 1;
}

}  // namespace textpair
