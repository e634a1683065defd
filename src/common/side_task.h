// Work that runs beside the caller, on another core: the program's one
// place that starts a thread. The caller owns the task, waits for it before
// it uses what the task made, and gives it only what no one else touches
// meanwhile: its own files, its own failure record, a copy of the values
// it reads.
#ifndef TEXTPAIR_COMMON_SIDE_TASK_H_
#define TEXTPAIR_COMMON_SIDE_TASK_H_

#include <functional>
#include <thread>

namespace textpair {

class SideTask {
 public:
  // Starts `work` at once; where no thread can be started, runs it here
  // before the constructor returns.
  explicit SideTask(std::function<void()> work);
  // Waits for the work, if the caller did not.
  ~SideTask() { wait(); }
  SideTask(const SideTask&) = delete;
  SideTask& operator=(const SideTask&) = delete;
  // Returns once the work has ended.
  void wait();

 private:
  std::thread thread_;
};

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_SIDE_TASK_H_
