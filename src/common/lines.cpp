#include "common/lines.h"

#include <cstring>

#include "platform/file_names.h"

namespace textpair {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}  // namespace

LineReader::~LineReader() { close(); }

bool LineReader::open(const std::string& name) {
  close();
  file_ = std::fopen(native_path(name).c_str(), "rb");
  buf_.resize(kBufferSize);
  pos_ = len_ = 0;
  eof_ = false;
  return file_ != nullptr;
}

bool LineReader::fill() {
  if (file_ == nullptr || eof_) return false;
  if (pos_ > 0 && pos_ < len_) {
    std::memmove(buf_.data(), buf_.data() + pos_, len_ - pos_);
  }
  len_ -= pos_;
  pos_ = 0;
  if (len_ == buf_.size()) buf_.resize(buf_.size() * 2);
  std::size_t got = std::fread(buf_.data() + len_, 1, buf_.size() - len_, file_);
  if (got == 0) {
    eof_ = true;
    return false;
  }
  len_ += got;
  return true;
}

bool LineReader::next(std::string& line) {
  if (file_ == nullptr) return false;
  std::size_t scan = pos_;
  for (;;) {
    const char* start = buf_.data() + scan;
    const void* nl = std::memchr(start, '\n', len_ - scan);
    if (nl != nullptr) {
      std::size_t end = static_cast<const char*>(nl) - buf_.data();
      std::size_t stop = end;
      if (stop > pos_ && buf_[stop - 1] == '\r') --stop;
      line.assign(buf_.data() + pos_, stop - pos_);
      pos_ = end + 1;
      return true;
    }
    std::size_t scanned = len_ - pos_;
    if (!fill()) {
      if (pos_ < len_) {
        line.assign(buf_.data() + pos_, len_ - pos_);
        pos_ = len_;
        return true;
      }
      return false;
    }
    scan = pos_ + scanned;
  }
}

bool LineReader::at_end() {
  if (file_ == nullptr) return true;
  return pos_ >= len_ && !fill();
}

void LineReader::rewind() {
  if (file_ == nullptr) return;
  std::fseek(file_, 0, SEEK_SET);
  pos_ = len_ = 0;
  eof_ = false;
}

void LineReader::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  pos_ = len_ = 0;
}

LineWriter::~LineWriter() { close(); }

bool LineWriter::open_mode(const std::string& name, const char* mode) {
  close();
  ok_ = true;
  file_ = std::fopen(native_path(name).c_str(), mode);
  if (file_ != nullptr) std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
  // A file that could not be made counts as a failed write, so callers that
  // check close() see it too.
  ok_ = file_ != nullptr;
  return ok_;
}

bool LineWriter::create(const std::string& name) { return open_mode(name, "wb"); }
bool LineWriter::append(const std::string& name) { return open_mode(name, "ab"); }

void LineWriter::raw(std::string_view bytes) {
  if (file_ == nullptr) return;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) ok_ = false;
}

void LineWriter::line(std::string_view text) {
  raw(text);
  raw("\r\n");
}

bool LineWriter::close() {
  if (file_ == nullptr) return ok_;
  if (std::fclose(file_) != 0) ok_ = false;
  file_ = nullptr;
  return ok_;
}

std::vector<std::string> read_all_lines(const std::string& name) {
  std::vector<std::string> lines;
  LineReader reader(name);
  std::string line;
  while (reader.next(line)) lines.push_back(line);
  return lines;
}

int count_nonblank_lines(const std::string& name) {
  LineReader reader(name);
  std::string line;
  int count = 0;
  while (reader.next(line)) {
    if (line.find_first_not_of(' ') != std::string::npos) ++count;
  }
  return count;
}

}  // namespace textpair
