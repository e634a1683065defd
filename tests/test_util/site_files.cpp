#include "test_util/site_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/bytes.h"
#include "platform/console.h"

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

std::string field(long long number, int width) { return pad_left(std::to_string(number), width); }

CapturedConsole::CapturedConsole(const std::string& keys) {
  char in_tmpl[] = "/tmp/textpair_in_XXXXXX";
  char out_tmpl[] = "/tmp/textpair_out_XXXXXX";
  int in = mkstemp(in_tmpl);
  out_fd_ = mkstemp(out_tmpl);
  if (in < 0 || out_fd_ < 0) std::abort();
  if (write(in, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) std::abort();
  close(in);
  in_fd_ = open(in_tmpl, O_RDONLY);
  unlink(in_tmpl);
  out_path_ = out_tmpl;
  console_ = new Console(in_fd_, out_fd_, out_fd_);
}

CapturedConsole::~CapturedConsole() {
  delete console_;
  close(in_fd_);
  close(out_fd_);
  unlink(out_path_.c_str());
}

std::string CapturedConsole::output() const {
  std::ifstream in(out_path_, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace textpair::testing
