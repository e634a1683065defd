#include "platform/fault_seam.h"

#include <atomic>
#include <mutex>

namespace textpair {

namespace {
std::atomic<FaultHook*> installed{nullptr};
// A hook is asked by one thread at a time, so that it may count the
// operations of a run whose pages are written side by side.
std::mutex asking;
}  // namespace

const char* file_op_name(FileOp op) {
  switch (op) {
    case FileOp::kOpen: return "open";
    case FileOp::kRead: return "read";
    case FileOp::kWrite: return "write";
    case FileOp::kClose: return "close";
    case FileOp::kRename: return "rename";
    case FileOp::kRemove: return "remove";
    case FileOp::kMakeDir: return "mkdir";
    case FileOp::kRemoveDir: return "rmdir";
    case FileOp::kCopy: return "copy";
    case FileOp::kList: return "list";
  }
  return "?";
}

FaultHook* set_fault_hook(FaultHook* hook) { return installed.exchange(hook); }

std::optional<InjectedFault> injected_fault(FileOp op, const std::string& path) {
  FaultHook* hook = installed.load(std::memory_order_acquire);
  if (hook == nullptr) return std::nullopt;
  const std::lock_guard<std::mutex> one_at_a_time(asking);
  return hook->before(op, path);
}

}  // namespace textpair
