#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/console.h"

namespace textpair {
namespace {

// A pseudo-terminal: the console reads the slave side as its keyboard, the
// test types on the master side.
class PtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    slave_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave_, 0);
  }
  void TearDown() override {
    close(slave_);
    close(master_);
  }
  void type(const std::string& keys) { ASSERT_EQ(write(master_, keys.data(), keys.size()), ssize_t(keys.size())); }
  tcflag_t local_flags() {
    struct termios t {};
    tcgetattr(slave_, &t);
    return t.c_lflag;
  }
  int master_ = -1, slave_ = -1;
};

TEST_F(PtyTest, KeysAreRawWithoutEchoAndSequencesAreOneKey) {
  std::unique_ptr<Console> console_owner = open_console(ptsname(master_), "/dev/null", "/dev/null");
  Console& console = *console_owner;
  ASSERT_TRUE(console.input_is_terminal());
  std::string key;
  EXPECT_EQ(console.poll_key(key), Console::Key::kNone);
  EXPECT_EQ(local_flags() & (ICANON | ECHO), 0u);

  type(
      "\x1b[A"
      "1"
      "\x1b[15~"
      "\x1bOP"
      "\xc5\xa1"
      "2");
  const char* want[] = {"\x1b[A", "1", "\x1b[15~", "\x1bOP", "\xc5\xa1", "2"};
  for (const char* w : want) {
    ASSERT_EQ(console.wait_key(key), Console::Key::kKey);
    EXPECT_EQ(key, w);
  }
}

TEST_F(PtyTest, LineReadHasEchoAndModeIsRestoredAtTheEnd) {
  tcflag_t before = local_flags();
  {
    std::unique_ptr<Console> console_owner = open_console(ptsname(master_), "/dev/null", "/dev/null");
    Console& console = *console_owner;
    std::string key;
    type("x");
    ASSERT_EQ(console.wait_key(key), Console::Key::kKey);
    EXPECT_EQ(local_flags() & ICANON, 0u);

    type("answer\n");
    std::string line;
    ASSERT_TRUE(console.read_line(line));
    EXPECT_EQ(line, "answer");
    EXPECT_NE(local_flags() & ECHO, 0u);

    console.poll_key(key);  // raw again
    EXPECT_EQ(local_flags() & ICANON, 0u);
  }
  EXPECT_EQ(local_flags(), before);
}

TEST_F(PtyTest, InterruptRestoresTheMode) {
  tcflag_t before = local_flags();
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::unique_ptr<Console> console_owner = open_console(ptsname(master_), "/dev/null", "/dev/null");
    Console& console = *console_owner;
    std::string key;
    console.wait_key(key);
    _exit(3);
  }
  // Wait until the child has the terminal in raw mode, then interrupt it.
  for (int i = 0; i < 500 && (local_flags() & ICANON) != 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(local_flags() & ICANON, 0u);
  kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
  EXPECT_EQ(local_flags(), before);
}

}  // namespace
}  // namespace textpair
