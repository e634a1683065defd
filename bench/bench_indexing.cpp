// Times the indexing of one page file: word extraction and the word lists
// with their sorts, step by
// step as the progress lines mark them, and reports the peak memory.
//
// usage: bench_indexing WORK_FOLDER   (the folder holds page_01.htm)
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/run_state.h"
#include "indexing/word_extraction.h"
#include "indexing/word_list_chain.h"
#include "platform/console.h"
#include "platform/memory.h"
#include "prompts/prompts.h"

using Clock = std::chrono::steady_clock;

namespace {

struct Mark {
  Clock::time_point at;
  double cpu_ms;  // user and system time of the process so far
  std::string what;
};

double cpu_ms_now() {
  struct rusage u {};
  getrusage(RUSAGE_SELF, &u);
  auto tv = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return tv(u.ru_utime) + tv(u.ru_stime);
}

// Collects the console's lines with the time each one arrived.
class LineClock {
 public:
  explicit LineClock(int fd) : fd_(fd), thread_([this] { run(); }) {}
  ~LineClock() { thread_.join(); }
  std::vector<Mark> marks() {
    std::lock_guard<std::mutex> lock(mutex_);
    return marks_;
  }

 private:
  void run() {
    std::string pending;
    char buf[4096];
    ssize_t got;
    while ((got = read(fd_, buf, sizeof buf)) > 0) {
      pending.append(buf, static_cast<std::size_t>(got));
      std::size_t nl;
      while ((nl = pending.find('\n')) != std::string::npos) {
        std::lock_guard<std::mutex> lock(mutex_);
        marks_.push_back({Clock::now(), cpu_ms_now(), pending.substr(0, nl)});
        pending.erase(0, nl + 1);
      }
    }
  }
  int fd_;
  std::mutex mutex_;
  std::vector<Mark> marks_;
  std::thread thread_;
};

double ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || chdir(argv[1]) != 0) {
    std::fprintf(stderr, "usage: bench_indexing WORK_FOLDER\n");
    return 2;
  }
  textpair::keep_freed_memory();
  // The listing the extraction makes for itself (kept when no interpreter runs it).
  std::ofstream("dir_02.txt", std::ios::binary) << "page_01.htm\r\n";
  int fds[2];
  if (pipe(fds) != 0) return 2;
  std::vector<Mark> marks;
  Clock::time_point start, end;
  double cpu_start = 0, cpu_end = 0;
  {
    LineClock clock(fds[0]);
    {
      // Progress lines go to the clock through the pipe.
      const std::string to_clock = "/dev/fd/" + std::to_string(fds[1]);
      std::unique_ptr<textpair::Console> opened = textpair::open_console("/dev/null", to_clock, to_clock);
      if (!opened) return 2;
      textpair::Console& console = *opened;
      textpair::RunState state;
      textpair::Context ctx{console, state};
      start = Clock::now();
      cpu_start = cpu_ms_now();
      textpair::progress(console, 1);
      if (textpair::extract_words(ctx) == textpair::Flow::kEnd) return 1;
      if (textpair::build_word_lists(ctx) == textpair::Flow::kEnd) return 1;
      end = Clock::now();
      cpu_end = cpu_ms_now();
      console.write_line("wrd_24 copied");
    }
    close(fds[1]);
    usleep(100000);
    marks = clock.marks();
    close(fds[0]);
  }
  Clock::time_point last = start;
  double last_cpu = cpu_start;
  std::printf("%-18s %9s %9s\n", "step ends at", "wall ms", "cpu ms");
  for (const Mark& m : marks) {
    if (m.what.rfind("processed 1%", 0) == 0) continue;
    std::printf("%-18s %9.1f %9.1f\n", m.what.c_str(), ms(last, m.at), m.cpu_ms - last_cpu);
    last = m.at;
    last_cpu = m.cpu_ms;
  }
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%-18s %9.1f %9.1f\n", "total", ms(start, end), cpu_end - cpu_start);
  std::printf("%-18s %9ld KiB\n", "peak memory", usage.ru_maxrss);
  return 0;
}
