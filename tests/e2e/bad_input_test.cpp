// Bad input, end to end: odd bytes, odd names, odd files in compare_in, a
// work folder that cannot be written and a disk that fills up. Each run must
// end by itself with exit status 0 and a clear screen, and every input file
// must still be there with its content (in compare_in, under its cleaned name
// or not, or as the copy intake leaves in the work folder).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_util/http_server.h"
#include "test_util/program_run.h"
#include "test_util/site_files.h"

namespace fs = std::filesystem;

namespace textpair::testing {
namespace {

constexpr const char* kProgramName = "www.textpair-bad-input.example.exe";
constexpr const char* kResults = "============ RESULTS ===========";
// The three start-up keys, files 1 and 2, the table width (Enter: 100%), no
// search site address, and a key at the results screen.
constexpr const char* kCompleteRun =
    "111"
    "1\n"
    "2\n"
    "\n"
    "\n"
    "x";
constexpr auto kTimeLimit = std::chrono::seconds(240);

const std::string kPlainText =
    "The quick brown fox jumps over the lazy dog.\r\n"
    "Pack my box with five dozen liquor jugs.\r\n";

struct InputFile {
  std::string name;  // relative to compare_in
  std::string bytes;
};

// Where a file with these bytes stands: compare_in (and its subfolders) or
// the work folder itself; empty when nowhere.
std::string find_content(const std::string& folder, const std::string& bytes) {
  std::vector<fs::path> candidates;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    if (e.is_regular_file()) candidates.push_back(e.path());
  }
  for (const auto& e : fs::recursive_directory_iterator(fs::path(folder) / "compare_in", ec)) {
    if (e.is_regular_file()) candidates.push_back(e.path());
  }
  for (const fs::path& p : candidates) {
    if (fs::file_size(p, ec) == bytes.size() && slurp(p) == bytes) return p.string();
  }
  return "";
}

void expect_inputs_kept(const ProgramRun& run, const std::vector<InputFile>& files) {
  for (const InputFile& f : files) {
    EXPECT_NE(find_content(run.folder(), f.bytes), "") << "lost: compare_in/" << f.name;
  }
}

void expect_clean_end(const RunResult& result) {
  EXPECT_FALSE(result.timed_out) << result.transcript.substr(0, 4000);
  EXPECT_EQ(result.exit_status, 0) << result.transcript.substr(0, 4000);
}

std::string binary_with_nuls() {
  std::string bytes = "text before\r\n";
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37) % 256);
  bytes += std::string(100, '\0') + "\r\ntext after the zeros\r\n";
  return bytes;
}

std::string twenty_megabyte_line() {
  std::string bytes = "start of a very long line ";
  bytes.append(20 * 1024 * 1024, 'x');
  return bytes;  // no line end at all
}

struct Case {
  const char* label;
  std::vector<InputFile> files;
  std::vector<std::string> folders;  // made inside compare_in
  std::string answers;
  const char* expected;  // text the transcript holds
};

std::vector<Case> cases() {
  return {
      {"nul_bytes", {{"binary.txt", binary_with_nuls()}, {"plain.txt", kPlainText}}, {}, kCompleteRun, kResults},
      {"twenty_megabyte_line",
       {{"long.txt", twenty_megabyte_line()}, {"plain.txt", kPlainText}},
       {},
       kCompleteRun,
       kResults},
      {"invalid_utf8",
       {{"broken.txt",
         "caf\xc3 na\xefve \xff\xfe bytes \xe2\x82 and \xf0\x9f\x98 cut\r\n\xc0\xaf over\xed\xa0\x80long\r\n"},
        {"plain.txt", kPlainText}},
       {},
       kCompleteRun,
       kResults},
      {"empty_file_second", {{"a_plain.txt", kPlainText}, {"b_empty.txt", ""}}, {}, kCompleteRun, kResults},
      {"empty_file_first", {{"a_empty.txt", ""}, {"b_plain.txt", kPlainText}}, {}, kCompleteRun, kResults},
      {"cr_only_line_ends",
       {{"mac.txt", "first line\rsecond line\rthird line\r"}, {"plain.txt", kPlainText}},
       {},
       kCompleteRun,
       kResults},
      {"awkward_names",
       {{"my notes.txt", "notes with a blank in the name\r\n"},
        {"say \"hi\".txt", "quotes in the name\r\n"},
        {"\xc4\x8d\xc4\x87\xc5\xbe.txt", "UTF-8 letters in the name\r\n"},
        {"-dash.txt", "a leading dash in the name\r\n"},
        {"it's.txt", "an apostrophe in the name\r\n"}},
       {},
       kCompleteRun,
       kResults},
      {"subfolder",
       {{"a.txt", kPlainText}, {"b.txt", "Another text entirely.\r\n"}, {"sub/inner.txt", "inner\r\n"}},
       {"empty_sub"},
       kCompleteRun,
       kResults},
      // A folder named like a text file is listed; choosing it gives no
      // second working copy.
      {"folder_named_like_a_text",
       {{"a.txt", kPlainText}, {"folder.txt/inner.txt", "inside a folder named folder.txt\r\n"}},
       {},
       "111"
       "1\n"
       "2\n"
       "\n"
       "\n"
       "x1",
       nullptr},
  };
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.label; }

class BadInputTest : public ::testing::TestWithParam<Case> {
 protected:
  HttpServer ads_{"/oglasi/oglasi.htm", "<html><body>\n<p>First advertisement</p>\n</body></html>\n"};
};

TEST_P(BadInputTest, EndsCleanlyAndKeepsEveryInput) {
  const Case& c = GetParam();
  ProgramRun run(kProgramName);
  for (const std::string& folder : c.folders) fs::create_directories(fs::path(run.folder()) / "compare_in" / folder);
  for (const InputFile& f : c.files) run.write_file("compare_in/" + f.name, f.bytes);
  RunResult result = run.run(c.answers, ads_.proxy_env(), kTimeLimit);
  expect_clean_end(result);
  if (c.expected != nullptr) {
    EXPECT_NE(result.transcript.find(c.expected), std::string::npos) << result.transcript.substr(0, 8000);
  }
  expect_inputs_kept(run, c.files);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInputTest, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.label); });

// --- Runs that need the machine's help: a user without root's rights, a
// read-only mount, a small file system.

bool run_quiet(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// A file system mounted over `target` for one test, taken off again after it.
class Mount {
 public:
  Mount(const std::string& target, const std::vector<std::string>& commands) : target_(target) {
    for (const std::string& c : commands) {
      if (!run_quiet(c)) return;
      ++mounted_;
    }
    ok_ = true;
  }
  ~Mount() {
    for (int i = 0; i < mounted_; ++i) run_quiet("umount -l '" + target_ + "'");
  }
  bool ok() const { return ok_; }

 private:
  std::string target_;
  int mounted_ = 0;
  bool ok_ = false;
};

// Runs the program as the unprivileged user "nobody" when the tests run as
// root, since root reads and writes whatever the permission bits say.
RunResult run_without_root(const ProgramRun& run, const std::string& answers, EnvChanges env) {
  if (geteuid() != 0) return run.run(answers, env, kTimeLimit);
  run.write_file("empty.wgetrc", "");  // the server's own is root's alone
  run_quiet("chmod -R a+rwX '" + run.folder() + "'");
  env.push_back({"WGETRC", run.folder() + "/empty.wgetrc"});
  env.push_back({"SYSTEM_WGETRC", run.folder() + "/empty.wgetrc"});
  env.push_back({"HOME", run.folder()});
  return run_process({"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--", run.program()},
                     run.folder(), answers, env, kTimeLimit);
}

class MachineTest : public ::testing::Test {
 protected:
  HttpServer ads_{"/oglasi/oglasi.htm", "<html><body>\n<p>First advertisement</p>\n</body></html>\n"};
};

// A named pipe in compare_in, named like a text: the run passes it over
// without opening it (which would wait for a writer forever), says so, and
// leaves it in compare_in.
TEST_F(MachineTest, AFifoNamedLikeATextIsSkippedAndKept) {
  ProgramRun run(kProgramName);
  std::vector<InputFile> files = {{"a.txt", kPlainText}, {"b.txt", "Another text entirely.\r\n"}};
  for (const InputFile& f : files) run.write_file("compare_in/" + f.name, f.bytes);
  const std::string fifo = run.folder() + "/compare_in/pipe.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  RunResult result = run.run(kCompleteRun, ads_.proxy_env(), kTimeLimit);
  expect_clean_end(result);
  EXPECT_NE(result.transcript.find(kResults), std::string::npos) << result.transcript.substr(0, 8000);
  EXPECT_NE(result.transcript.find("Skipped, not a regular file; the file stays in compare_in: pipe.txt"),
            std::string::npos)
      << result.transcript.substr(0, 8000);
  struct stat st {};
  ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  expect_inputs_kept(run, files);
}

TEST_F(MachineTest, AFileThatCannotBeReadIsNotLost) {
  if (geteuid() == 0 && access("/usr/bin/setpriv", X_OK) != 0) {
    GTEST_SKIP() << "running as root without setpriv, so no file can be made unreadable";
  }
  ProgramRun run(kProgramName);
  std::vector<InputFile> files = {
      {"a.txt", kPlainText}, {"b.txt", "Another text entirely.\r\n"}, {"secret.txt", "nobody may read this\r\n"}};
  for (const InputFile& f : files) run.write_file("compare_in/" + f.name, f.bytes);
  std::string secret = run.folder() + "/compare_in/secret.txt";
  RunResult result = [&] {
    if (geteuid() == 0) run_quiet("chmod -R a+rwX '" + run.folder() + "'");
    chmod(secret.c_str(), 0);
    return run_without_root(run, kCompleteRun, ads_.proxy_env());
  }();
  chmod(secret.c_str(), 0644);
  expect_clean_end(result);
  EXPECT_NE(result.transcript.find(kResults), std::string::npos) << result.transcript;
  expect_inputs_kept(run, files);
}

TEST_F(MachineTest, AWorkFolderThatCannotBeWrittenEndsWithAMessage) {
  ProgramRun run(kProgramName);
  std::vector<InputFile> files = {{"a.txt", kPlainText}, {"b.txt", "Another text entirely.\r\n"}};
  for (const InputFile& f : files) run.write_file("compare_in/" + f.name, f.bytes);
  const std::string& dir = run.folder();
  Mount read_only(dir, {"mount --bind '" + dir + "' '" + dir + "'", "mount -o remount,bind,ro '" + dir + "'"});
  if (!read_only.ok()) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root and this machine allows no read-only bind mount";
    chmod(dir.c_str(), 0555);
  }
  RunResult result = run.run(kCompleteRun + std::string("1"), ads_.proxy_env(), kTimeLimit);
  chmod(dir.c_str(), 0755);
  expect_clean_end(result);
  // The first command that writes a file fails, and the run ends there.
  EXPECT_NE(result.transcript.find("Checking for cmd.exe!"), std::string::npos) << result.transcript;
  expect_inputs_kept(run, files);
}

// Two texts of a few hundred distinct words, whose site is far larger than
// they are.
std::vector<InputFile> sizeable_texts() {
  std::string left, right;
  for (int line = 0; line < 60; ++line) {
    for (int word = 0; word < 8; ++word) {
      left += "left" + std::to_string(line * 8 + word) + " ";
      right += "right" + std::to_string(line * 8 + word) + " ";
    }
    left += "\r\n";
    right += "\r\n";
  }
  return {{"left.txt", left}, {"right.txt", right}};
}

TEST_F(MachineTest, AFullDiskWhilePublishingIsReportedAndLosesNothing) {
  ProgramRun run(kProgramName);
  std::vector<InputFile> files = sizeable_texts();
  for (const InputFile& f : files) run.write_file("compare_in/" + f.name, f.bytes);
  std::string out = run.folder() + "/htm_out";
  fs::create_directories(out);
  Mount small(out, {"mount -t tmpfs -o size=64k tmpfs '" + out + "'"});
  if (!small.ok()) GTEST_SKIP() << "this machine allows no tmpfs mount, so no disk can be made full";
  RunResult result = run.run(kCompleteRun, ads_.proxy_env(), kTimeLimit);
  expect_clean_end(result);
  EXPECT_NE(result.transcript.find("The site could not be written completely to htm_out."), std::string::npos)
      << result.transcript;
  EXPECT_EQ(result.transcript.find("view subfolder: htm_out"), std::string::npos) << result.transcript;
  // The complete site is still in the work folder.
  for (const char* name : {"page_01.htm", "i_1.htm", "s_1.htm", "index.htm", "files_list.htm"}) {
    EXPECT_TRUE(run.exists(name)) << name;
  }
  expect_inputs_kept(run, files);
}

TEST_F(MachineTest, AWorkFolderOnAFullDiskLosesNoInput) {
  ProgramRun run(kProgramName);
  const std::string& dir = run.folder();
  std::uintmax_t program_size = fs::file_size(run.program());
  // Room for the program, the inputs and their first copies, not for a site.
  Mount small(dir, {"mount -t tmpfs -o size=" + std::to_string(program_size + 160 * 1024) + " tmpfs '" + dir + "'"});
  if (!small.ok()) GTEST_SKIP() << "this machine allows no tmpfs mount, so no disk can be made full";
  fs::copy_file(TEXTPAIR_EXE, run.program());
  fs::permissions(run.program(), fs::perms::owner_all);
  std::vector<InputFile> files = sizeable_texts();
  for (const InputFile& f : files) run.write_file("compare_in/" + f.name, f.bytes);
  RunResult result = run.run(kCompleteRun + std::string("11"), ads_.proxy_env(), kTimeLimit);
  expect_clean_end(result);
  // The run says the disk is full instead of showing an empty site's results.
  // It names the file and the system's reason.
  EXPECT_NE(result.transcript.find("The work folder could not be written completely.\n"), std::string::npos)
      << result.transcript;
  EXPECT_NE(result.transcript.find(": No space left on device\nCheck the free space on the disk.\n"), std::string::npos)
      << result.transcript;
  EXPECT_EQ(result.transcript.find("============ RESULTS ==========="), std::string::npos) << result.transcript;
  expect_inputs_kept(run, files);
}

}  // namespace
}  // namespace textpair::testing
