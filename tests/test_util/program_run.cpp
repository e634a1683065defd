#include "test_util/program_run.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "test_util/work_folder.h"

namespace fs = std::filesystem;

namespace textpair::testing {

namespace {

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace

ProgramRun::ProgramRun(const std::string& program_name, const std::string& executable) {
  for (int attempt = 0; folder_.empty(); ++attempt) {
    std::string candidate = unused_temp_path("textpair_run_");
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) folder_ = candidate;
    if (attempt > 100) std::abort();
  }
  program_ = folder_ + "/" + program_name;
  fs::copy_file(executable, program_, fs::copy_options::overwrite_existing);
}

ProgramRun::~ProgramRun() {
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

void ProgramRun::write_file(const std::string& relative, const std::string& bytes) const {
  fs::path path = fs::path(folder_) / relative;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ProgramRun::read_file(const std::string& relative) const {
  std::ifstream in(fs::path(folder_) / relative, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool ProgramRun::exists(const std::string& relative) const { return fs::exists(fs::path(folder_) / relative); }

RunResult ProgramRun::run(const std::string& input, const EnvChanges& env, std::chrono::milliseconds time_limit) const {
  return run_process({program_}, folder_, input, env, time_limit);
}

std::string ProgramRun::normalise(const std::string& transcript) const {
  std::string text = replace_all(transcript, folder_, "<WORK>");
  static const std::regex kWgetTime(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
  return std::regex_replace(text, kWgetTime, "<TIME>");
}

}  // namespace textpair::testing
