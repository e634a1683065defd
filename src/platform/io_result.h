// The outcome of one file operation: success, or the file it failed on and
// the system's reason ("htm_out/page_01.htm: No space left on device"), so
// that the screen which ends the run can say what a user can act on. No
// caller may drop one.
#ifndef TEXTPAIR_PLATFORM_IO_RESULT_H_
#define TEXTPAIR_PLATFORM_IO_RESULT_H_

#include <string>
#include <utility>

namespace textpair {

class [[nodiscard]] IoResult {
 public:
  IoResult() = default;  // success
  // `busy`: another program holds the file for now (Windows' sharing,
  // lock and access errors; POSIX's EBUSY), so the operation may succeed
  // when tried again.
  static IoResult failed(std::string path, std::string reason, bool busy = false) {
    IoResult r;
    r.failed_ = true;
    r.busy_ = busy;
    r.path_ = std::move(path);
    r.reason_ = std::move(reason);
    return r;
  }
  // A failure with the reason the system gave for its last call (errno,
  // GetLastError), read right after the call that failed.
  static IoResult from_system(std::string path);

  bool ok() const { return !failed_; }
  bool busy() const { return busy_; }
  explicit operator bool() const { return ok(); }
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }
  // "path: reason"; empty for a success.
  std::string describe() const { return failed_ ? path_ + ": " + reason_ : std::string(); }

 private:
  bool failed_ = false;
  bool busy_ = false;
  std::string path_;
  std::string reason_;
};

// The system's text for its last error, as IoResult::from_system uses it.
std::string last_system_reason();
// Whether the system's last error says that another program holds the file.
bool last_error_is_busy();

// Drops a result on purpose: the caller has a reason not to act on it,
// written beside the call.
inline void ignore_result(const IoResult&) {}

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_IO_RESULT_H_
