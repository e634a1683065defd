#include "platform/file_io.h"

#include <utility>

#include "platform/fault_seam.h"
#include "platform/retry.h"

namespace textpair {

namespace {
constexpr std::size_t kWriteBuffer = std::size_t{1} << 16;
}  // namespace

using namespace file_io_detail;

File::File(File&& other) noexcept { *this = std::move(other); }

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    static_cast<void>(close());
    handle_ = std::exchange(other.handle_, kNoHandle);
    path_ = std::move(other.path_);
    pending_ = std::move(other.pending_);
    other.pending_.clear();
    writing_ = other.writing_;
    status_ = std::exchange(other.status_, IoResult());
  }
  return *this;
}

bool File::open(const std::string& native, Mode mode) {
  static_cast<void>(close());
  path_ = native;
  status_ = IoResult();
  writing_ = mode != Mode::kRead;
  // A file another program holds for a moment is tried again.
  IoResult opened = retry_while_busy([&] {
    if (auto fault = injected_fault(FileOp::kOpen, native)) return fault->on(native);
    handle_ = open_native(native, mode);
    return is_open() ? IoResult() : IoResult::from_system(native);
  });
  if (!opened) {
    fail(opened);
    return false;
  }
  if (writing_) pending_.reserve(kWriteBuffer);
  return true;
}

std::size_t File::read(char* into, std::size_t size) {
  if (!is_open() || size == 0 || failed()) return 0;
  if (auto fault = injected_fault(FileOp::kRead, path_)) {
    fail(fault->on(path_));
    return 0;
  }
  long long got = read_native(handle_, into, size);
  if (got < 0) fail(IoResult::from_system(path_));
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

bool File::seek(std::uint64_t offset) { return is_open() && seek_native(handle_, offset); }

namespace {
// One write of the system, through the fault seam.
IoResult write_through(std::intptr_t handle, const std::string& path, const char* bytes, std::size_t size) {
  if (auto fault = injected_fault(FileOp::kWrite, path)) return fault->on(path);
  return write_native(handle, bytes, size) ? IoResult() : IoResult::from_system(path);
}
}  // namespace

bool File::flush() {
  if (!pending_.empty()) {
    if (!failed()) fail(write_through(handle_, path_, pending_.data(), pending_.size()));
    pending_.clear();
  }
  return !failed();
}

bool File::write(std::string_view bytes) {
  if (!is_open() || failed()) return false;
  if (pending_.size() + bytes.size() > kWriteBuffer) {
    if (!flush()) return false;
    if (bytes.size() >= kWriteBuffer) {
      fail(write_through(handle_, path_, bytes.data(), bytes.size()));
      return !failed();
    }
  }
  pending_.append(bytes);
  return true;
}

bool File::write(std::string_view bytes, std::string_view more) {
  if (is_open() && !failed() && pending_.size() + bytes.size() + more.size() <= kWriteBuffer) {
    pending_.append(bytes).append(more);
    return true;
  }
  return write(bytes) && write(more);
}

IoResult File::close() {
  if (!is_open()) return status_;
  if (writing_) flush();
  // A failed close of a file that was only read loses nothing.
  IoResult closed;
  if (writing_) {
    if (auto fault = injected_fault(FileOp::kClose, path_)) closed = fault->on(path_);
  }
  if (!close_native(handle_) && writing_ && closed.ok()) closed = IoResult::from_system(path_);
  fail(std::move(closed));
  handle_ = kNoHandle;
  pending_.clear();
  pending_.shrink_to_fit();
  return status_;
}

IoResult read_whole_file(const std::string& native, std::string& bytes) {
  bytes.clear();
  File file(native, File::Mode::kRead);
  char buf[1 << 16];
  for (std::size_t got; (got = file.read(buf, sizeof buf)) > 0;) bytes.append(buf, got);
  return file.close();
}

}  // namespace textpair
