#include "test_util/site_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace textpair::testing {

std::string records(const std::vector<std::vector<std::string>>& rows) {
  std::string out;
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) out += (i ? ",\"" : "\"") + row[i] + "\"";
    out += "\r\n";
  }
  return out;
}

std::vector<std::string> split_crlf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line without a line end";
      lines.push_back(text.substr(start));
      break;
    }
    EXPECT_TRUE(end > start && text[end - 1] == '\r') << "bare LF after: " << text.substr(start, end - start);
    lines.push_back(text.substr(start, end - start - 1));
    start = end + 1;
  }
  return lines;
}

std::string masked(const std::string& page) {
  static const std::regex kDate(R"(Date \(mm-dd-yy\) = \d\d-\d\d-\d{4}<br>)");
  static const std::regex kTime(R"(Time \(h:m:s\)    = \d\d:\d\d:\d\d<br>)");
  return std::regex_replace(std::regex_replace(page, kDate, "Date (mm-dd-yy) = <DATE><br>"), kTime,
                            "Time (h:m:s)    = <TIME><br>");
}

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::map<std::string, std::string> files_of(const std::filesystem::path& dir, bool mask) {
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
    if (e.is_regular_file()) files[e.path().filename().string()] = mask ? masked(slurp(e.path())) : slurp(e.path());
  }
  return files;
}

}  // namespace textpair::testing
