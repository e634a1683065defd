#include "common/side_task.h"

#include <system_error>
#include <utility>

namespace textpair {

SideTask::SideTask(std::function<void()> work, Alone alone) {
  try {
    thread_ = std::thread(work);
    beside_ = true;
  } catch (const std::system_error&) {
    // No thread to be had: the same work, one after the other.
    if (alone == Alone::kRunHere) work();
  }
}

void SideTask::wait() {
  if (thread_.joinable()) thread_.join();
}

void LineHandoff::put(std::string_view line) {
  filling_.bytes += line;
  filling_.ends.push_back(filling_.bytes.size());
  if (filling_.bytes.size() >= batch_bytes_) hand_over();
}

void LineHandoff::hand_over() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !ready_full_; });
    std::swap(filling_, ready_);
    ready_full_ = true;
  }
  changed_.notify_all();
  filling_.bytes.clear();
  filling_.ends.clear();
}

void LineHandoff::close() {
  if (!filling_.ends.empty()) hand_over();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

bool LineHandoff::take(std::vector<std::string_view>& lines) {
  lines.clear();
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return ready_full_ || closed_; });
    if (!ready_full_) return false;
    std::swap(reading_, ready_);
    ready_full_ = false;
  }
  changed_.notify_all();
  std::size_t start = 0;
  for (std::size_t end : reading_.ends) {
    lines.emplace_back(reading_.bytes.data() + start, end - start);
    start = end;
  }
  return true;
}

}  // namespace textpair
