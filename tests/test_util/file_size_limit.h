// A full disk for tests: FileSizeLimit makes writes beyond a size fail for
// the time of a scope (works for any user, root included), and
// link_to_full_device names a file whose every write fails. Windows has
// neither; tests that need them call SKIP_WITHOUT_FULL_DISK() first.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_FILE_SIZE_LIMIT_H_
#define TEXTPAIR_TESTS_TEST_UTIL_FILE_SIZE_LIMIT_H_

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32

#define SKIP_WITHOUT_FULL_DISK() \
  GTEST_SKIP() << "Windows has no file size limit per process and no /dev/full to stand for a full disk"

namespace textpair::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long long) {}
};
inline bool link_to_full_device(const std::string&) { return false; }

}  // namespace textpair::testing

#else

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#define SKIP_WITHOUT_FULL_DISK() static_cast<void>(0)

namespace textpair::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*old_handler_)(int);
};

// /dev/full takes the file open but fails every write, as a full disk does.
inline bool link_to_full_device(const std::string& name) { return symlink("/dev/full", name.c_str()) == 0; }

}  // namespace textpair::testing

#endif

#endif  // TEXTPAIR_TESTS_TEST_UTIL_FILE_SIZE_LIMIT_H_
