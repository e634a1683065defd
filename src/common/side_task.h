// Work that runs beside the caller, on another core: the program's one
// place that starts a thread. The caller owns the task, waits for it before
// it uses what the task made, and gives it only what no one else touches
// meanwhile: its own files, its own failure record, a copy of the values
// it reads.
#ifndef TEXTPAIR_COMMON_SIDE_TASK_H_
#define TEXTPAIR_COMMON_SIDE_TASK_H_

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace textpair {

class SideTask {
 public:
  enum class Alone {
    kRunHere,  // where no thread can be had, the work runs here at once
    kSkip,     // where no thread can be had, the work does not run
  };
  // Starts `work` at once. Work that waits for the caller (a LineHandoff's
  // other end) must not run here: it asks for kSkip and checks beside().
  explicit SideTask(std::function<void()> work, Alone alone = Alone::kRunHere);
  // Waits for the work, if the caller did not.
  ~SideTask() { wait(); }
  SideTask(const SideTask&) = delete;
  SideTask& operator=(const SideTask&) = delete;
  // Returns once the work has ended.
  void wait();
  // Whether the work was started on a thread of its own.
  bool beside() const { return beside_; }

 private:
  std::thread thread_;
  bool beside_ = false;
};

// Lines handed from a side task to its owner a batch at a time: the task
// fills one batch while the owner reads the one before, so at most three
// batches are held. The owner takes batches until there are none left.
class LineHandoff {
 public:
  explicit LineHandoff(std::size_t batch_bytes = std::size_t{1} << 20) : batch_bytes_(batch_bytes) {}
  // For the task: one more line. A full batch waits until the owner has
  // taken the one before it.
  void put(std::string_view line);
  // For the task: hands over the last lines; none follow.
  void close();
  // For the owner: the lines of the next batch, as views that hold until
  // the next call; false once the task has closed and all are taken.
  bool take(std::vector<std::string_view>& lines);

 private:
  struct Batch {
    std::string bytes;
    std::vector<std::size_t> ends;  // where each line ends in `bytes`
  };
  void hand_over();
  std::size_t batch_bytes_;
  std::mutex mutex_;
  std::condition_variable changed_;
  Batch filling_, ready_, reading_;
  bool ready_full_ = false;
  bool closed_ = false;
};

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_SIDE_TASK_H_
