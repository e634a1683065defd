// One run per work folder. The lock is one the system drops when its holder
// ends, however it ends (a kill, a closed window, a power loss), so a run
// that died never blocks the next: on POSIX an flock on the work folder
// itself, on Windows a hidden lock file opened without sharing and deleted
// when its last handle closes. A run that ends leaves no file behind.
#ifndef TEXTPAIR_PLATFORM_RUN_LOCK_H_
#define TEXTPAIR_PLATFORM_RUN_LOCK_H_

#include <cstdint>

namespace textpair {

class RunLock {
 public:
  RunLock() = default;
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  // Takes the lock of the current folder. False only when another process
  // holds it; where the file system cannot lock at all, the run goes on.
  [[nodiscard]] bool acquire();

 private:
  std::intptr_t handle_ = -1;
};

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_RUN_LOCK_H_
