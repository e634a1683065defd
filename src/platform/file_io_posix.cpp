#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"

namespace textpair::file_io_detail {

namespace {

// A FIFO or a device is never opened: opening one may wait for a writer or
// act on the device. The open itself does not wait either, should the name
// have changed to one since it was looked at.
int open_regular_for_reading(const std::string& native) {
  struct stat named {};
  if (::stat(native.c_str(), &named) != 0) return -1;
  if (!S_ISREG(named.st_mode)) {
    errno = S_ISDIR(named.st_mode) ? EISDIR : ENODEV;
    return -1;
  }
  int fd;
  do {
    fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = ENODEV;
    return -1;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

// A written file is a regular file too: opening a FIFO for writing waits for
// a reader, and a device would take the bytes somewhere else. A name that
// is not there yet is made.
int open_regular_for_writing(const std::string& native, int flags) {
  struct stat named {};
  if (::stat(native.c_str(), &named) == 0 && !S_ISREG(named.st_mode)) return -1;
  int fd;
  auto open_it = [&] {
    do {
      fd = ::open(native.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
  };
  open_it();
  // A read-only file of the program's own is written again.
  if (fd < 0 && errno == EACCES && files_detail::drop_read_only(native)) open_it();
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  const int now = ::fcntl(fd, F_GETFL);
  if (now >= 0) ::fcntl(fd, F_SETFL, now & ~O_NONBLOCK);
  return fd;
}

}  // namespace

std::intptr_t open_native(const std::string& native, File::Mode mode) {
  int flags = O_RDONLY;
  switch (mode) {
    case File::Mode::kRead: flags = O_RDONLY; break;
    case File::Mode::kCreate: flags = O_WRONLY | O_CREAT | O_TRUNC; break;
    case File::Mode::kCreateNew: flags = O_WRONLY | O_CREAT | O_EXCL; break;
    case File::Mode::kAppend: flags = O_WRONLY | O_CREAT | O_APPEND; break;
  }
  if (mode == File::Mode::kRead) return open_regular_for_reading(native);
  return open_regular_for_writing(native, flags);
}

long long read_native(std::intptr_t handle, char* into, std::size_t size) {
  for (;;) {
    ssize_t got = ::read(static_cast<int>(handle), into, size);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

bool write_native(std::intptr_t handle, const char* bytes, std::size_t size) {
  while (size > 0) {
    ssize_t put = ::write(static_cast<int>(handle), bytes, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

bool seek_native(std::intptr_t handle, std::uint64_t offset) {
  const off_t at = static_cast<off_t>(offset);
  return at >= 0 && static_cast<std::uint64_t>(at) == offset && ::lseek(static_cast<int>(handle), at, SEEK_SET) == at;
}

bool close_native(std::intptr_t handle) { return ::close(static_cast<int>(handle)) == 0; }

}  // namespace textpair::file_io_detail
