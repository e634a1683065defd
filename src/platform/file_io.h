// Reading and writing files by native path (see file_names.h for turning
// the program's names into native paths). Every file the program reads or
// writes is opened here, so that names reach the system unchanged (UTF-8 on
// POSIX, UTF-16 through the wide calls on Windows). Writes are buffered.
// A file keeps its first failure (the open, a read, a write or the close,
// with the system's reason), and close() hands it back: a read error is
// never taken for the end of the file.
#ifndef TEXTPAIR_PLATFORM_FILE_IO_H_
#define TEXTPAIR_PLATFORM_FILE_IO_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/io_result.h"

namespace textpair {

class File {
 public:
  // Written files are regular files as well: a FIFO or a device named as a
  // target is not opened (it could wait, or take the bytes elsewhere).
  enum class Mode {
    kRead,       // an existing regular file (or a link to one), from its start;
                 // a FIFO, a device or a folder is never opened
    kCreate,     // a new or emptied file
    kCreateNew,  // a new file; fails when the name is taken
    kAppend,     // writes go to the end; made when missing
  };

  File() = default;
  File(const std::string& native, Mode mode) { open(native, mode); }
  ~File() { static_cast<void>(close()); }
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // False when the file cannot be opened; the failure is kept, so close()
  // hands it back.
  bool open(const std::string& native, Mode mode);
  bool is_open() const { return handle_ != kNoHandle; }
  // Up to `size` bytes; 0 at the end of the file or on a read error, which
  // failed() then tells apart.
  std::size_t read(char* into, std::size_t size);
  // True once the open, a read, a write or the close has failed.
  bool failed() const { return !status_.ok(); }
  // The first failure, or success.
  const IoResult& status() const { return status_; }
  // Back to the start of a file open for reading.
  bool rewind() { return seek(0); }
  // To byte `offset` of a file open for reading.
  bool seek(std::uint64_t offset);
  // Buffered; false once any write has failed.
  bool write(std::string_view bytes);
  // The two pieces in order, in one append when they fit the buffer.
  bool write(std::string_view bytes, std::string_view more);
  // Flushes and closes; the first failure since the open (the open itself,
  // a read, a write or the close). Closing a closed file repeats its verdict.
  IoResult close();

 private:
  static constexpr std::intptr_t kNoHandle = -1;
  bool flush();
  void fail(IoResult failure) {
    if (status_.ok()) status_ = std::move(failure);
  }
  std::intptr_t handle_ = kNoHandle;
  std::string path_;
  std::string pending_;  // written bytes not yet handed to the system
  bool writing_ = false;
  IoResult status_;
};

// The whole content of a file.
IoResult read_whole_file(const std::string& native, std::string& bytes);

namespace file_io_detail {
// The system calls behind File, one set per platform.
std::intptr_t open_native(const std::string& native, File::Mode mode);
// Bytes read, 0 at the end, -1 on an error.
long long read_native(std::intptr_t handle, char* into, std::size_t size);
bool write_native(std::intptr_t handle, const char* bytes, std::size_t size);
bool seek_native(std::intptr_t handle, std::uint64_t offset);
bool close_native(std::intptr_t handle);
}  // namespace file_io_detail

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_FILE_IO_H_
