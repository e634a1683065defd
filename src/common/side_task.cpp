#include "common/side_task.h"

#include <system_error>
#include <utility>

namespace textpair {

SideTask::SideTask(std::function<void()> work) {
  try {
    thread_ = std::thread(work);
  } catch (const std::system_error&) {
    work();  // no thread to be had: the same work, one after the other
  }
}

void SideTask::wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace textpair
