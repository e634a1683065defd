// A failing disk at every file operation of a small complete run. The run
// is made in this process with a fault hook in the platform file layer,
// which fails the k-th operation once, or every operation from the k-th on
// as a full disk does. For each k:
// - the run ends by itself;
// - no input leaves compare_in and the hold folder;
// - the results screen comes only with the whole site;
// - the next run on a healthy disk gives every input back and publishes the
//   same site as a clean run.
//
// Every k is tried when TEXTPAIR_FAULT_STRIDE=1 (scripts/fault_sweep.sh);
// otherwise every stride-th k, spread so that each run of the suite also
// reaches the operations between its samples over time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "driver/run.h"
#include "platform/fault_seam.h"
#include "test_util/http_server.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair::testing {
namespace {

namespace fs = std::filesystem;

const char* const kAdsPage = "<html>\n<body>\n<p>Fresh bread every morning.</p>\n</body>\n</html>\n";
const char* const kProgram = "www.example.org.exe";
// Three starting screens, the files numbered 2 and 3 of the list (the second
// is one taken in under a new name), the table width, the search site and
// the results screen's key.
const char* const kAnswers = "1112\n3\n80\nwww.example.org\nx";
const char* const kResults = "============ RESULTS ===========";

// What the user put into compare_in: a name intake changes, the name it
// would change it to, an untouched text and a file that is no input.
const std::map<std::string, std::string>& inputs() {
  static const std::map<std::string, std::string> files = {
      {"my notes.txt", "The harbour wall was mended in spring.\r\nBoats came back in May.\r\n"},
      {"my_notes.txt", "The harbour wall was built in winter.\r\nBoats left in May.\r\n"},
      {"b.txt", "Another text, with other words.\r\n"},
      {"notes.doc", "not an input"},
  };
  return files;
}

// Fails the k-th file operation of the work folder (paths outside it, such
// as the test console's files, are not counted), once or from then on.
class FailingDisk : public FaultHook {
 public:
  FailingDisk(long k, bool from_then_on) : k_(k), from_then_on_(from_then_on) {}
  std::optional<InjectedFault> before(FileOp op, const std::string& path) override {
    if (!path.empty() && (path[0] == '/' || (path.size() > 1 && path[1] == ':'))) return std::nullopt;
    ++count_;
    if (count_ == k_ || (from_then_on_ && count_ > k_)) {
      if (count_ == k_) failed_ = std::string(file_op_name(op)) + " " + path;
      return std::string("No space left on device");
    }
    return std::nullopt;
  }
  long count() const { return count_; }
  // The operation that failed first: its kind and path.
  const std::string& failed() const { return failed_; }

 private:
  std::string failed_;
  long k_;
  bool from_then_on_;
  long count_ = 0;
};

struct Outcome {
  std::string transcript;
  long operations = 0;
};

// One run in the current folder, with `hook` installed when given.
Outcome run_once(FailingDisk* hook) {
  PipedConsole console(kAnswers);
  FaultHook* before = set_fault_hook(hook);
  run(console, (fs::current_path() / kProgram).string());
  set_fault_hook(before);
  return {console.output(), hook != nullptr ? hook->count() : 0};
}

// The work folder as the user leaves it: the program file (the tool checks
// look for it) and the inputs.
void fill_compare_in() {
  write_file(kProgram, "the program");
  make_dir("compare_in");
  for (const auto& [name, bytes] : inputs()) write_file("compare_in/" + name, bytes);
}

// Every input's bytes are in compare_in or in the hold folder, under some name.
void expect_inputs_kept(const std::string& when) {
  std::vector<std::string> kept;
  for (const char* dir : {"compare_in", ".compare_in_hold"}) {
    for (const auto& [name, bytes] : files_of(dir)) kept.push_back(bytes);
  }
  for (const auto& [name, bytes] : inputs()) {
    EXPECT_NE(std::find(kept.begin(), kept.end(), bytes), kept.end()) << name << " lost " << when;
  }
}

class FaultSweepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [name, value] : ads_.proxy_env()) set_environment(name, value);
  }

  HttpServer ads_{"/oglasi/oglasi.htm", kAdsPage};
};

TEST_F(FaultSweepTest, NoFailingOperationLosesAnInputOrShowsAPartSiteAsDone) {
  // The clean run: the site, compare_in afterwards, and how many file
  // operations it takes.
  std::map<std::string, std::string> site, compare_in;
  long operations = 0;
  {
    WorkFolder folder;
    fill_compare_in();
    FailingDisk counter(0, false);
    Outcome clean = run_once(&counter);
    ASSERT_NE(clean.transcript.find(kResults), std::string::npos) << clean.transcript;
    site = files_of("htm_out", true);
    compare_in = files_of("compare_in");
    operations = clean.operations;
  }
  ASSERT_GT(operations, 100);
  const char* stride_text = std::getenv("TEXTPAIR_FAULT_STRIDE");
  const long stride = stride_text != nullptr ? std::max(1L, std::atol(stride_text)) : std::max(1L, operations / 40);
  // The samples start at an offset that changes from day to day.
  const long offset = 1 + static_cast<long>(std::time(nullptr) / 86400) % stride;

  int results_shown = 0, tried = 0;
  for (bool from_then_on : {false, true}) {
    for (long k = stride == 1 ? 1 : offset; k <= operations; k += stride) {
      const std::string when = std::string(from_then_on ? "with a full disk from" : "with one failure at") +
                               " operation " + std::to_string(k);
      WorkFolder folder;
      fill_compare_in();
      FailingDisk disk(k, from_then_on);
      Outcome faulty = run_once(&disk);
      ++tried;
      expect_inputs_kept(when);
      if (faulty.transcript.find(kResults) != std::string::npos) {
        ++results_shown;
        EXPECT_EQ(files_of("htm_out", true), site) << "results shown for a site that is not whole " << when;
      }
      // The next run on a healthy disk.
      Outcome next = run_once(nullptr);
      EXPECT_NE(next.transcript.find(kResults), std::string::npos) << when << "\n" << next.transcript;
      EXPECT_EQ(files_of("htm_out", true), site) << "the next run's site " << when;
      EXPECT_EQ(files_of("compare_in"), compare_in) << "compare_in after the next run " << when;
      EXPECT_FALSE(fs::exists(".compare_in_hold")) << when;
      if (::testing::Test::HasFailure()) {
        ADD_FAILURE() << "first failure " << when << " (" << disk.failed() << "); the faulty run said:\n"
                      << faulty.transcript;
        return;
      }
    }
  }
  std::cout << "fault sweep: " << operations << " operations, " << tried << " faulty runs, stride " << stride
            << ", results screen after " << results_shown << " of them\n";
}

}  // namespace
}  // namespace textpair::testing
