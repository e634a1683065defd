// Makes writes beyond a size fail for the time of a scope, the way a full
// disk makes them fail (works for any user, root included).
#ifndef TEXTPAIR_TESTS_TEST_UTIL_FILE_SIZE_LIMIT_H_
#define TEXTPAIR_TESTS_TEST_UTIL_FILE_SIZE_LIMIT_H_

#include <sys/resource.h>

#include <csignal>

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

#endif  // TEXTPAIR_TESTS_TEST_UTIL_FILE_SIZE_LIMIT_H_
