// The harness itself: wget reaches the local server through the proxy
// settings with the address form the program uses, and a hanging program
// is killed at its time limit.
#include "test_util/http_server.h"

#include <gtest/gtest.h>

#include "test_util/program_run.h"
#include "test_util/work_folder.h"

namespace textpair::testing {
namespace {

TEST(HttpServerTest, WgetFetchesThroughTheProxySettings) {
  SKIP_ON_WINDOWS("runs GNU wget of the Linux host, which Wine cannot wait for");
  HttpServer server("/oglasi/oglasi.htm", "<p>one</p>\n");
  WorkFolder folder;
  const std::pair<std::string, std::string> cases[] = {
      {"www.textpair.example/oglasi/oglasi.htm", "<p>one</p>\n"},
      {"www.textpair.example/other.htm", ""},
  };
  for (const auto& [address, body] : cases) {
    RunResult run = run_process({"/usr/bin/wget", "-nv", "--output-document=page.html", address}, folder.path(), "",
                                server.proxy_env(), std::chrono::seconds(20));
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(read_file("page.html"), body) << run.transcript;
  }
  EXPECT_EQ(server.requests(), (std::vector<std::string>{"http://www.textpair.example/oglasi/oglasi.htm",
                                                         "http://www.textpair.example/other.htm"}));
}

TEST(ProgramRunTest, KeepsOutputOrderAndKillsAtTheTimeLimit) {
  SKIP_ON_WINDOWS("runs /bin/sh");
  WorkFolder folder;
  RunResult run =
      run_process({"/bin/sh", "-c", "echo out; echo err >&2; read x; echo \"$x\"; exit 3"}, folder.path(), "typed\n");
  EXPECT_EQ(run.transcript, "out\nerr\ntyped\n");
  EXPECT_EQ(run.exit_status, 3);

  auto start = std::chrono::steady_clock::now();
  run = run_process({"/bin/sh", "-c", "echo started; sleep 30"}, folder.path(), "", {}, std::chrono::milliseconds(300));
  EXPECT_TRUE(run.timed_out);
  EXPECT_EQ(run.transcript, "started\n");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace textpair::testing
