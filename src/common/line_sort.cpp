#include "common/line_sort.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <queue>
#include <vector>

#include "common/lines.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

// Bookkeeping cost of one held line besides its bytes.
constexpr std::size_t kLineOverhead = sizeof(std::string);

// Temporary files in one folder, removed when the set goes away. Names start
// with "~sort" and end in ".tmp", which none of the program's own files do,
// and are created exclusively so that nothing present is ever overwritten.
class TempFiles {
 public:
  explicit TempFiles(std::string dir) : dir_(std::move(dir)) {}
  ~TempFiles() {
    for (const std::string& name : names_) remove_file(name);
  }
  TempFiles(const TempFiles&) = delete;
  TempFiles& operator=(const TempFiles&) = delete;

  // A new empty file open for writing; its name in `name`. Null on failure.
  std::FILE* create(std::string& name) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
      name = (dir_.empty() ? "" : dir_ + "/") + "~sort" + std::to_string(++counter_) + ".tmp";
      std::FILE* f = std::fopen(name.c_str(), "wbx");
      if (f != nullptr) {
        names_.push_back(name);
        return f;
      }
      if (path_exists(name)) continue;  // taken: try the next number
      return nullptr;
    }
    return nullptr;
  }

  void remove(const std::string& name) {
    remove_file(name);
    names_.erase(std::remove(names_.begin(), names_.end(), name), names_.end());
  }

  // The file is no longer temporary (it was renamed into place).
  void release(const std::string& name) {
    names_.erase(std::remove(names_.begin(), names_.end(), name), names_.end());
  }

 private:
  std::string dir_;
  std::vector<std::string> names_;
  unsigned counter_ = 0;
};

bool put_line(std::FILE* f, const std::string& line) {
  return std::fwrite(line.data(), 1, line.size(), f) == line.size() && std::fwrite("\r\n", 1, 2, f) == 2;
}

std::string folder_of(const std::string& native) {
  std::size_t slash = native.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : native.substr(0, slash);
}

}  // namespace

bool write_run(std::FILE* f, const std::vector<std::string>& lines) {
  bool ok = true;
  for (const std::string& line : lines) {
    if (!put_line(f, line)) {
      ok = false;
      break;
    }
  }
  if (std::fclose(f) != 0) ok = false;
  return ok;
}

bool merge_runs(const std::vector<std::string>& sources, std::FILE* out) {
  std::vector<std::unique_ptr<LineReader>> readers;
  struct Head {
    std::string line;
    std::size_t source;
  };
  auto later = [](const Head& a, const Head& b) { return a.line > b.line; };
  std::priority_queue<Head, std::vector<Head>, decltype(later)> heads(later);
  bool ok = true;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    readers.push_back(std::make_unique<LineReader>());
    if (!readers.back()->open(sources[i])) ok = false;
    Head head{std::string(), i};
    if (ok && readers.back()->next(head.line)) heads.push(std::move(head));
  }
  while (ok && !heads.empty()) {
    Head head = heads.top();
    heads.pop();
    if (!put_line(out, head.line)) ok = false;
    if (readers[head.source]->next(head.line)) heads.push(std::move(head));
  }
  if (std::fclose(out) != 0) ok = false;
  return ok;
}

LineSortResult sort_lines(const std::string& input, const std::string& output, const LineSortLimits& limits) {
  const std::size_t width = std::max<std::size_t>(limits.merge_width, 2);
  const std::string target = native_path(output);
  TempFiles temps(folder_of(target));

  LineReader reader;
  if (!reader.open(input)) return LineSortResult::kInputUnreadable;

  // Cut the input into sorted runs.
  std::vector<std::string> runs;
  std::vector<std::string> held;
  std::size_t held_bytes = 0;
  std::string line;
  bool more = true;
  while (more) {
    more = reader.next(line);
    if (more) {
      held_bytes += line.size() + kLineOverhead;
      held.push_back(std::move(line));
      line = std::string();
    }
    bool spill = more ? held_bytes >= limits.run_bytes : !runs.empty() && !held.empty();
    if (!spill) continue;
    std::sort(held.begin(), held.end());
    std::string name;
    std::FILE* f = temps.create(name);
    if (f == nullptr || !write_run(f, held)) return LineSortResult::kWriteFailed;
    runs.push_back(name);
    held.clear();
    held_bytes = 0;
  }
  reader.close();

  // Merge until one pass can take every run; the last pass writes the result.
  std::size_t next = 0;
  while (runs.size() - next > width) {
    std::vector<std::string> batch(runs.begin() + static_cast<std::ptrdiff_t>(next),
                                   runs.begin() + static_cast<std::ptrdiff_t>(next + width));
    next += width;
    std::string name;
    std::FILE* f = temps.create(name);
    if (f == nullptr || !merge_runs(batch, f)) return LineSortResult::kWriteFailed;
    for (const std::string& done : batch) temps.remove(done);
    runs.push_back(name);
  }

  std::string result;
  std::FILE* out = temps.create(result);
  if (out == nullptr) return LineSortResult::kWriteFailed;
  bool ok;
  if (runs.empty()) {
    std::sort(held.begin(), held.end());
    ok = write_run(out, held);
  } else {
    ok = merge_runs(std::vector<std::string>(runs.begin() + static_cast<std::ptrdiff_t>(next), runs.end()), out);
  }
  if (!ok || !rename_path(result, target)) return LineSortResult::kWriteFailed;
  temps.release(result);
  return LineSortResult::kOk;
}

}  // namespace textpair
