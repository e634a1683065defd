// A full disk for tests: FileSizeLimit makes writes beyond a size fail for
// the time of a scope (works for any user, root included). Windows has no
// such limit; tests that need it call SKIP_WITHOUT_FULL_DISK() first. (A
// device such as /dev/full is no stand-in: files are never written there.)
#ifndef TEXTPAIR_TESTS_TEST_UTIL_FILE_SIZE_LIMIT_H_
#define TEXTPAIR_TESTS_TEST_UTIL_FILE_SIZE_LIMIT_H_

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32

#define SKIP_WITHOUT_FULL_DISK() GTEST_SKIP() << "Windows has no file size limit per process to stand for a full disk"

namespace textpair::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long long) {}
};

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

}  // namespace textpair::testing

#endif

#endif  // TEXTPAIR_TESTS_TEST_UTIL_FILE_SIZE_LIMIT_H_
