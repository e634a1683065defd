// A seam for tests that make file operations fail the way a failing disk
// does: every file operation of the platform layer asks the installed hook
// first and, when it names a reason, fails with it without touching the
// disk. The program never installs a hook; tests do, to fail the k-th
// operation of a run once or every operation from the k-th on.
#ifndef TEXTPAIR_PLATFORM_FAULT_SEAM_H_
#define TEXTPAIR_PLATFORM_FAULT_SEAM_H_

#include <optional>
#include <string>
#include <utility>

#include "platform/io_result.h"

namespace textpair {

enum class FileOp { kOpen, kRead, kWrite, kClose, kRename, kRemove, kMakeDir, kRemoveDir, kCopy, kList };

const char* file_op_name(FileOp op);

// What an injected failure says: the reason and whether the file counts as
// busy (held by another program for a moment).
struct InjectedFault {
  InjectedFault(std::string why, bool held = false) : reason(std::move(why)), busy(held) {}  // NOLINT: from a reason
  std::string reason;
  bool busy;
  IoResult on(const std::string& path) const { return IoResult::failed(path, reason, busy); }
};

class FaultHook {
 public:
  virtual ~FaultHook() = default;
  // The reason the operation on `path` fails with, or nothing to let it run.
  // Called by one thread at a time.
  virtual std::optional<InjectedFault> before(FileOp op, const std::string& path) = 0;
};

// Installs `hook` for every thread (nullptr removes it); returns the one it
// replaces. The hook must outlive its installation.
FaultHook* set_fault_hook(FaultHook* hook);

// For the platform layer's own files: the injected reason, if any.
std::optional<InjectedFault> injected_fault(FileOp op, const std::string& path);

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_FAULT_SEAM_H_
