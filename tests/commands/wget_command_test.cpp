#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "commands/command_fixture.h"
#include "test_util/http_server.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::file_exists;
using testing::HttpServer;
using testing::make_dir;
using testing::read_file;
using testing::set_environment;
using testing::write_file;

// Restores an environment variable when the scope ends.
class EnvOverride {
 public:
  EnvOverride(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    set_environment(name_, value);
  }
  ~EnvOverride() { set_environment(name_, old_); }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

class WgetCommandTest : public testing::CommandTest {
 protected:
  EnvOverride no_proxy_lower_{"http_proxy", std::nullopt};
  EnvOverride no_proxy_upper_{"HTTP_PROXY", std::nullopt};
};

TEST_F(WgetCommandTest, StoresThePageUnderTheNameGiven) {
  make_dir("Oglasi_Wget");
  const std::string page =
      "<html>\r\n<p>ad one</p>\r\n<p>\xC3\xA4"
      "d two</p>\n";
  HttpServer server("/oglasi/oglasi.htm", page);
  EXPECT_EQ(run("wget -nv --output-document=oglasi_wget\\oglasi_wget.html http://127.0.0.1:" +
                std::to_string(server.port()) + "/oglasi/oglasi.htm"),
            "");
  EXPECT_EQ(errors_, "");
  EXPECT_EQ(read_file("Oglasi_Wget/oglasi_wget.html"), page);
  EXPECT_EQ(server.requests(), std::vector<std::string>{"/oglasi/oglasi.htm"});
}

TEST_F(WgetCommandTest, AnUnreachableAddressLeavesAnEmptyFile) {
  make_dir("oglasi_wget");
  EXPECT_EQ(run("wget -nv --output-document=oglasi_wget\\oglasi_wget.html http://127.0.0.1:1/oglasi/oglasi.htm"), "");
  EXPECT_EQ(errors_, "");  // wget's own report goes to the program's error stream, not through the console
  EXPECT_EQ(read_file("oglasi_wget/oglasi_wget.html"), "");
}

// A dead network must not hold the run for wget's default 20 tries.
TEST_F(WgetCommandTest, StartsWgetWithAShortTimeoutAndTwoTries) {
#ifdef _WIN32
  // The tests' stand-in wget writes its arguments where this names.
  EnvOverride args_file("WGET_STANDIN_ARGS", folder_.path() + "/args.txt");
#else
  make_dir("bin");
  write_file("bin/wget", "#!/bin/sh\nprintf '%s\\n' \"$@\" > args.txt\n");
  std::filesystem::permissions("bin/wget", std::filesystem::perms::owner_all);
  EnvOverride path("PATH", folder_.path() + "/bin");
#endif
  EXPECT_EQ(run("wget -nv --output-document=oglasi_wget\\oglasi_wget.html www.textpair.example/oglasi/oglasi.htm"), "");
  EXPECT_EQ(read_file("args.txt"),
            "--timeout=30\n--tries=2\n-nv\n--output-document=oglasi_wget/oglasi_wget.html\n"
            "www.textpair.example/oglasi/oglasi.htm\n");
}

TEST_F(WgetCommandTest, AMissingWgetIsRefusedLikeAnUnknownCommand) {
  EnvOverride path("PATH", folder_.path());
  EXPECT_EQ(run("wget -nv --output-document=x.html http://127.0.0.1:1/"), "");
  EXPECT_EQ(errors_, "'wget' is not recognized as an internal or external command,\noperable program or batch file.\n");
  EXPECT_FALSE(file_exists("x.html"));
}

}  // namespace
}  // namespace textpair
