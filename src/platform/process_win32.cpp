#include <windows.h>

#include "platform/process.h"

#include <shellapi.h>

#include "platform/wide_win32.h"

namespace textpair {

std::string invocation_name(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide_argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::string name;
  if (wide_argv != nullptr && count > 0) {
    name = narrow(wide_argv[0]);
  } else if (argc > 0 && argv[0] != nullptr) {
    name = argv[0];
  }
  if (wide_argv != nullptr) LocalFree(wide_argv);
  return name;
}

// Started directly (never through cmd.exe), found the way CreateProcess
// finds a program, with this program's environment and standard streams.
int run_program(const std::vector<std::string>& argv) {
  if (argv.empty()) return -1;
  std::wstring line = wide(windows_command_line(argv));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (h != nullptr && h != INVALID_HANDLE_VALUE) SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  CloseHandle(process.hThread);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &code)) {
    code = static_cast<DWORD>(-1);
  }
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

}  // namespace textpair
