// A file another program holds for a moment (a virus scanner, the search
// indexer, a sync client) is tried again; a read-only file of the program's
// own is deleted or replaced all the same.
#include "platform/retry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/fault_seam.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::read_file;
using testing::write_file;

// The given operation finds its file busy `times` times, then free.
class BusyFile : public FaultHook {
 public:
  BusyFile(FileOp op, int times) : op_(op), left_(times) {}
  std::optional<InjectedFault> before(FileOp op, const std::string&) override {
    if (op != op_) return std::nullopt;
    ++asked_;
    if (left_ == 0) return std::nullopt;
    --left_;
    return InjectedFault("The process cannot access the file because it is being used by another process.", true);
  }
  int asked() const { return asked_; }

 private:
  FileOp op_;
  int left_;
  int asked_ = 0;
};

class RetryTest : public testing::WorkFolderTest {};

TEST_F(RetryTest, ABusyFileIsTriedAgainUntilItIsFree) {
  struct Case {
    const char* what;
    FileOp op;
    IoResult (*operation)();
  } cases[] = {
      {"delete", FileOp::kRemove, [] { return remove_file("a.txt"); }},
      {"rename", FileOp::kRename, [] { return rename_path("a.txt", "b.txt"); }},
      {"copy", FileOp::kCopy, [] { return copy_file("a.txt", "b.txt"); }},
      {"open", FileOp::kOpen,
       [] {
         File f("a.txt", File::Mode::kRead);
         return f.close();
       }},
  };
  for (const Case& c : cases) {
    for (int times : {0, 1, 4}) {
      std::filesystem::remove("b.txt");
      write_file("a.txt", "text");
      BusyFile busy(c.op, times);
      FaultHook* before = set_fault_hook(&busy);
      IoResult result = c.operation();
      set_fault_hook(before);
      EXPECT_TRUE(result.ok()) << c.what << " busy " << times << ": " << result.describe();
      EXPECT_EQ(busy.asked(), times + 1) << c.what;
    }
  }
}

TEST_F(RetryTest, AFileThatStaysBusyFailsWithTheSystemsReason) {
  write_file("a.txt", "text");
  BusyFile busy(FileOp::kRemove, 1000);
  FaultHook* before = set_fault_hook(&busy);
  IoResult result = remove_file("a.txt");
  set_fault_hook(before);
  EXPECT_FALSE(result.ok());
  EXPECT_TRUE(result.busy());
  EXPECT_NE(result.describe().find("being used by another process"), std::string::npos);
  EXPECT_GT(busy.asked(), 5);
  EXPECT_LT(busy.asked(), 20);  // about two seconds, not forever
  EXPECT_EQ(read_file("a.txt"), "text");
}

// Other failures are not tried again.
TEST_F(RetryTest, AMissingFileIsNotTriedAgain) {
  BusyFile count(FileOp::kRemove, 0);
  FaultHook* before = set_fault_hook(&count);
  EXPECT_FALSE(remove_file("missing.txt").ok());
  set_fault_hook(before);
  EXPECT_EQ(count.asked(), 1);
}

// Windows refuses to delete, replace or rewrite a read-only file; the
// program's own files (scratch, pages in htm_out) are handled all the same.
TEST_F(RetryTest, AReadOnlyFileOfTheProgramsOwnIsReplacedAndDeleted) {
  namespace fs = std::filesystem;
  auto read_only = [](const char* name) {
    write_file(name, "old");
    fs::permissions(name, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  };
  read_only("page.htm");
  ASSERT_TRUE(remove_file("page.htm"));
  EXPECT_FALSE(fs::exists("page.htm"));

  read_only("page.htm");
  write_file("new.htm", "new");
  ASSERT_TRUE(rename_path("new.htm", "page.htm"));
  EXPECT_EQ(read_file("page.htm"), "new");

  read_only("list.txt");
  File out("list.txt", File::Mode::kCreate);
  ASSERT_TRUE(out.write("rewritten") && out.close());
  EXPECT_EQ(read_file("list.txt"), "rewritten");
}

}  // namespace
}  // namespace textpair
