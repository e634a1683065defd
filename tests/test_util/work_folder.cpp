#include "test_util/work_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace textpair::testing {

WorkFolder::WorkFolder() {
  previous_ = fs::current_path().string();
  for (int attempt = 0; path_.empty(); ++attempt) {
    std::string candidate = unused_temp_path("textpair_test_");
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) path_ = candidate;
    if (attempt > 100) std::abort();
  }
  fs::current_path(path_);
}

WorkFolder::~WorkFolder() {
  std::error_code ec;
  fs::current_path(previous_, ec);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string unused_temp_path(const std::string& stem) {
  static std::mt19937_64 random{std::random_device{}()};
  for (;;) {
    fs::path candidate = fs::temp_directory_path() / (stem + std::to_string(random() % 1000000000000ULL));
    std::error_code ec;
    if (!fs::exists(candidate, ec)) return candidate.string();
  }
}

namespace {
// A UTF-8 name as a path (a plain string would go through the ANSI code
// page on Windows).
fs::path utf8(const std::string& name) { return fs::path(std::u8string(name.begin(), name.end())); }
std::string utf8_name(const fs::path& path) {
  std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}
}  // namespace

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(utf8(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string read_file(const std::string& path) {
  std::ifstream in(utf8(path), std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool file_exists(const std::string& path) { return fs::exists(utf8(path)); }

void make_dir(const std::string& path) { fs::create_directories(utf8(path)); }

void mark_hidden(const std::string& path, bool system) {
#ifdef _WIN32
  std::wstring name = utf8(path).wstring();
  DWORD attributes = GetFileAttributesW(name.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path;
  attributes |= FILE_ATTRIBUTE_HIDDEN | (system ? FILE_ATTRIBUTE_SYSTEM : 0);
  ASSERT_TRUE(SetFileAttributesW(name.c_str(), attributes)) << path;
#else
  static_cast<void>(system);
  ASSERT_EQ(path.substr(path.find_last_of('/') + 1).front(), '.') << path;
#endif
}

std::vector<std::string> list_names(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(utf8(dir), ec)) names.push_back(utf8_name(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

void set_environment(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  _putenv_s(name.c_str(), value ? value->c_str() : "");  // "" removes it
#else
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}

std::string crlf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace textpair::testing
