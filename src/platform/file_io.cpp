#include "platform/file_io.h"

#include <utility>

namespace textpair {

namespace {
constexpr std::size_t kWriteBuffer = std::size_t{1} << 16;
}  // namespace

using namespace file_io_detail;

File::File(File&& other) noexcept { *this = std::move(other); }

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, kNoHandle);
    pending_ = std::move(other.pending_);
    other.pending_.clear();
    writing_ = other.writing_;
    ok_ = std::exchange(other.ok_, true);
  }
  return *this;
}

bool File::open(const std::string& native, Mode mode) {
  close();
  handle_ = open_native(native, mode);
  writing_ = mode != Mode::kRead;
  ok_ = is_open();
  if (ok_ && writing_) pending_.reserve(kWriteBuffer);
  return ok_;
}

std::size_t File::read(char* into, std::size_t size) {
  if (!is_open() || size == 0) return 0;
  long long got = read_native(handle_, into, size);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

bool File::seek(std::uint64_t offset) { return is_open() && seek_native(handle_, offset); }

bool File::flush() {
  if (!pending_.empty()) {
    if (ok_ && !write_native(handle_, pending_.data(), pending_.size())) ok_ = false;
    pending_.clear();
  }
  return ok_;
}

bool File::write(std::string_view bytes) {
  if (!is_open() || !ok_) return false;
  if (pending_.size() + bytes.size() > kWriteBuffer) {
    if (!flush()) return false;
    if (bytes.size() >= kWriteBuffer) {
      if (!write_native(handle_, bytes.data(), bytes.size())) ok_ = false;
      return ok_;
    }
  }
  pending_.append(bytes);
  return true;
}

bool File::write(std::string_view bytes, std::string_view more) {
  if (is_open() && ok_ && pending_.size() + bytes.size() + more.size() <= kWriteBuffer) {
    pending_.append(bytes).append(more);
    return true;
  }
  return write(bytes) && write(more);
}

bool File::close() {
  if (!is_open()) return ok_;
  if (writing_) flush();
  if (!close_native(handle_) && writing_) ok_ = false;
  handle_ = kNoHandle;
  pending_.clear();
  pending_.shrink_to_fit();
  return ok_;
}

bool read_whole_file(const std::string& native, std::string& bytes) {
  bytes.clear();
  File file(native, File::Mode::kRead);
  if (!file.is_open()) return false;
  char buf[1 << 16];
  for (std::size_t got; (got = file.read(buf, sizeof buf)) > 0;) bytes.append(buf, got);
  return true;
}

}  // namespace textpair
