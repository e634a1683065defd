#include <windows.h>

#include "platform/console.h"

#include <cstdlib>

#include "platform/console_keys.h"
#include "platform/wide_win32.h"

namespace textpair {

namespace {

// The console's input mode as found, so that it can be put back from the
// control handler or at exit as well as by the console itself.
struct ConsoleMode {
  HANDLE in = INVALID_HANDLE_VALUE;
  DWORD saved = 0;
  volatile LONG raw = 0;
  bool handlers_installed = false;
  UINT output_code_page = 0;  // the window's own, while the run shows UTF-8
  UINT input_code_page = 0;
};
ConsoleMode g_console;

void restore_console() {
  if (InterlockedExchange(&g_console.raw, 0) != 0) SetConsoleMode(g_console.in, g_console.saved);
}

// The screens are UTF-8 (the program says "Active code page: 65001"): the
// console window is switched to it for the run and given its own back at
// the end.
void restore_code_pages() {
  if (g_console.output_code_page != 0) SetConsoleOutputCP(g_console.output_code_page);
  if (g_console.input_code_page != 0) SetConsoleCP(g_console.input_code_page);
}

void install_handlers();

void use_utf8_code_pages() {
  UINT output = GetConsoleOutputCP();
  if (output == 0 || output == CP_UTF8) return;  // no console, or already UTF-8
  g_console.output_code_page = output;
  g_console.input_code_page = GetConsoleCP();
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  std::atexit(restore_code_pages);
  // Whatever the input is (typed or piped), an interrupt gives the window
  // its code page back.
  install_handlers();
}

bool enter_raw() {
  if (g_console.raw) return true;
  DWORD raw = g_console.saved & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT);
  if (!SetConsoleMode(g_console.in, raw)) return false;
  g_console.raw = 1;
  return true;
}

// Ctrl-C, Ctrl-Break, closing the window, logging off: the mode comes back,
// then the default handling ends the program.
BOOL WINAPI on_control(DWORD) {
  restore_console();
  restore_code_pages();
  return FALSE;
}

// Once per process; they put back what has been changed by then.
void install_handlers() {
  if (g_console.handlers_installed) return;
  g_console.handlers_installed = true;
  SetConsoleCtrlHandler(on_control, TRUE);
  std::atexit(restore_console);
}

HANDLE as_handle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

void write_all(std::intptr_t handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD put = 0;
    if (!WriteFile(as_handle(handle), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) || put == 0) {
      return;
    }
    bytes.remove_prefix(put);
  }
}

HANDLE open_for(const std::string& name, bool input) {
  DWORD access = input ? GENERIC_READ | GENERIC_WRITE : FILE_APPEND_DATA;
  HANDLE h = CreateFileW(wide(name).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         input ? OPEN_EXISTING : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE && input) {
    h = CreateFileW(wide(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  return h;
}

}  // namespace

std::unique_ptr<Console> open_standard_console() {
  use_utf8_code_pages();
  auto handle = [](DWORD which) { return reinterpret_cast<std::intptr_t>(GetStdHandle(which)); };
  return std::unique_ptr<Console>(
      new Console(handle(STD_INPUT_HANDLE), handle(STD_OUTPUT_HANDLE), handle(STD_ERROR_HANDLE), false));
}

std::unique_ptr<Console> open_console(const std::string& input, const std::string& output, const std::string& errors) {
  HANDLE in = open_for(input, true);
  HANDLE out = open_for(output, false);
  HANDLE err = open_for(errors, false);
  if (in == INVALID_HANDLE_VALUE || out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
    for (HANDLE h : {in, out, err}) {
      if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    return nullptr;
  }
  auto value = [](HANDLE h) { return reinterpret_cast<std::intptr_t>(h); };
  return std::unique_ptr<Console>(new Console(value(in), value(out), value(err), true));
}

Console::Console(std::intptr_t in, std::intptr_t out, std::intptr_t err, bool owned)
    : in_(in), out_(out), err_(err), owned_(owned) {
  DWORD mode = 0;
  in_tty_ = g_console.in == INVALID_HANDLE_VALUE && GetConsoleMode(as_handle(in_), &mode) != 0;
  if (in_tty_) {
    g_console.in = as_handle(in_);
    g_console.saved = mode;
    install_handlers();
  }
}

Console::~Console() {
  if (in_tty_) {
    restore_console();
    g_console.in = INVALID_HANDLE_VALUE;
  }
  if (owned_) {
    for (std::intptr_t h : {in_, out_, err_}) CloseHandle(as_handle(h));
  }
}

void Console::write(std::string_view bytes) { write_all(out_, bytes); }

void Console::write_error(std::string_view bytes) { write_all(err_, bytes); }

bool Console::read_more(int timeout_ms) {
  if (eof_) return false;
  HANDLE in = as_handle(in_);
  if (in_tty_) {
    // Key events of the console, each turned into the bytes of its key.
    if (WaitForSingleObject(in, timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0) {
      return false;
    }
    INPUT_RECORD records[64];
    DWORD count = 0;
    if (!ReadConsoleInputW(in, records, 64, &count)) {
      eof_ = true;
      return false;
    }
    std::size_t before = pending_.size();
    for (DWORD i = 0; i < count; ++i) {
      if (records[i].EventType != KEY_EVENT) continue;
      const KEY_EVENT_RECORD& k = records[i].Event.KeyEvent;
      const DWORD state = k.dwControlKeyState;
      const bool alt = (state & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0 &&
                       (state & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) == 0;
      std::string key = keys_.decode({k.bKeyDown != 0, k.wVirtualKeyCode, static_cast<char16_t>(k.uChar.UnicodeChar),
                                      alt, (state & ENHANCED_KEY) != 0});
      for (WORD r = 0; r < (k.wRepeatCount > 0 ? k.wRepeatCount : 1); ++r) pending_ += key;
    }
    return pending_.size() > before;
  }
  // A pipe: look before reading, so that polling never blocks. A pipe that
  // cannot be looked into (its writer has gone, or Wine's pipe from a Linux
  // shell) is read straight away: that gives what is left, or its end.
  if (GetFileType(in) == FILE_TYPE_PIPE) {
    DWORD available = 0;
    for (int waited = 0;; waited += 10) {
      if (!PeekNamedPipe(in, nullptr, 0, nullptr, &available, nullptr)) break;
      if (available > 0) break;
      if (timeout_ms >= 0 && waited >= timeout_ms) return false;
      Sleep(10);
    }
  }
  char buf[256];
  DWORD got = 0;
  if (!ReadFile(in, buf, sizeof buf, &got, nullptr) || got == 0) {
    eof_ = true;
    return false;
  }
  pending_.append(buf, got);
  return true;
}

bool Console::take_key(std::string& key) {
  if (pending_.empty()) return false;
  // Keys come whole from the console's events; a pipe's bytes are one key each.
  bool complete = true;
  std::size_t length = in_tty_ ? key_length(pending_, complete) : 1;
  key = pending_.substr(0, length);
  pending_.erase(0, length);
  return true;
}

void Console::enter_raw_mode() { enter_raw(); }

bool Console::read_terminal_line(std::string& line) {
  // Keys pressed at an earlier key prompt were never shown; they are not
  // part of the line the user now types with echo.
  restore_console();
  pending_.clear();
  HANDLE in = as_handle(in_);
  SetConsoleMode(in, g_console.saved | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT);
  std::wstring typed;
  wchar_t buf[256];
  DWORD got = 0;
  while (typed.find(L'\n') == std::wstring::npos && ReadConsoleW(in, buf, 256, &got, nullptr) && got > 0) {
    typed.append(buf, got);
  }
  SetConsoleMode(in, g_console.saved);
  std::size_t end = typed.find(L'\n');
  bool ended = end != std::wstring::npos;
  if (!ended) end = typed.size();
  if (end > 0 && typed[end - 1] == L'\r') --end;
  line = narrow(std::wstring_view(typed).substr(0, end));
  if (!ended) empty_line();
  return ended || !line.empty();
}

}  // namespace textpair
