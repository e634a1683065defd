#include <windows.h>

#include "test_util/program_run.h"

#include <cstdlib>
#include <filesystem>
#include <map>

#include "platform/process.h"
#include "platform/utf16.h"
#include "test_util/work_folder.h"

namespace textpair::testing {

namespace {

std::wstring wide(const std::string& utf8) {
  std::u16string units = utf8_to_utf16(utf8);
  return std::wstring(units.begin(), units.end());
}

// The test's environment with the changes, as a sorted block for
// CreateProcessW (names compared without regard to case, as Windows does).
std::wstring environment_with(const EnvChanges& changes) {
  auto upper = [](std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(towupper(c));
    return s;
  };
  std::map<std::wstring, std::pair<std::wstring, std::wstring>> vars;  // upper name -> (name, value)
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* e = block; *e != L'\0'; e += wcslen(e) + 1) {
    std::wstring entry(e);
    std::size_t eq = entry.find(L'=', 1);
    if (eq != std::wstring::npos) vars[upper(entry.substr(0, eq))] = {entry.substr(0, eq), entry.substr(eq + 1)};
  }
  FreeEnvironmentStringsW(block);
  for (const auto& [name, value] : changes) {
    std::wstring w = wide(name);
    if (value) {
      vars[upper(w)] = {w, wide(*value)};
    } else {
      vars.erase(upper(w));
    }
  }
  std::wstring out;
  for (const auto& [key, entry] : vars) out += entry.first + L"=" + entry.second + L'\0';
  out += L'\0';
  return out;
}

HANDLE inheritable(const std::string& path, bool write) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return CreateFileW(wide(path).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &sa, write ? CREATE_ALWAYS : OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// The input comes from a file and the output goes into one (standard output
// and error share it, in order); a job ends everything the program started
// when the time is up.
RunResult run_process(const std::vector<std::string>& args, const std::string& folder, const std::string& input,
                      const EnvChanges& env, std::chrono::milliseconds time_limit) {
  RunResult result;
  const std::string in_path = unused_temp_path("textpair_input_");
  const std::string out_path = unused_temp_path("textpair_transcript_");
  write_file(in_path, input);
  HANDLE in = inheritable(in_path, false);
  HANDLE out = inheritable(out_path, true);
  if (in == INVALID_HANDLE_VALUE || out == INVALID_HANDLE_VALUE) std::abort();

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = out;
  std::wstring line = wide(windows_command_line(args));
  std::wstring environment = environment_with(env);
  PROCESS_INFORMATION process{};
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  BOOL started =
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED,
                     environment.data(), wide(folder).c_str(), &startup, &process);
  CloseHandle(in);
  CloseHandle(out);
  if (started) {
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    DWORD waited = WaitForSingleObject(process.hProcess, static_cast<DWORD>(time_limit.count()));
    if (waited == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process.hProcess, &code);
      result.exit_status = static_cast<int>(code);
    } else {
      result.timed_out = true;
      TerminateJobObject(job, 1);
      WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hProcess);
  }
  CloseHandle(job);
  result.transcript = read_file(out_path);
  std::filesystem::remove(in_path);
  std::filesystem::remove(out_path);
  return result;
}

}  // namespace textpair::testing
