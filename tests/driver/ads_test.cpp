#include "driver/ads.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "test_util/http_server.h"
#include "test_util/piped_console.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::HttpServer;
using testing::PipedConsole;

// Sets the process's environment for one test (wget inherits it) and puts
// it back afterwards.
class ScopedEnv {
 public:
  explicit ScopedEnv(const testing::EnvChanges& changes) {
    for (const auto& [name, value] : changes) {
      const char* old = std::getenv(name.c_str());
      saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
      testing::set_environment(name, value);
    }
  }
  ~ScopedEnv() {
    for (const auto& [name, value] : saved_) testing::set_environment(name, value);
  }

 private:
  testing::EnvChanges saved_;
};

class AdsTest : public testing::WorkFolderTest {
 protected:
  Flow fetch(const std::string& page, PipedConsole& io) {
    HttpServer server("/oglasi/oglasi.htm", page);
    ScopedEnv env(server.proxy_env());
    Context ctx{io, state_};
    Flow flow = fetch_ads(ctx);
    EXPECT_EQ(server.requests(), std::vector<std::string>{"http://" + ads_page_address()});
    return flow;
  }
  RunState state_;
};

TEST_F(AdsTest, TakesEveryLineWithALowerCaseParagraphTag) {
  const std::string page =
      "<html><body>\r\n"
      "  <p>first ad <a href=\"http://a.example/\">a</a></p>\r\n"
      "<P>capitals only: not an ad</P>\r\n"
      "<p>one</p><p>two</p><P>three</P>\r\n"
      "<div>no paragraph</div>\r\n"
      "<P>mixed</P> <p>last\r\n"
      "</body></html>\r\n";
  PipedConsole io;
  EXPECT_EQ(fetch(page, io), Flow::kGoOn);
  EXPECT_EQ(state_.ad_lines, (std::vector<std::string>{"", "  <p>first ad <a href=\"http://a.example/\">a</a></p>",
                                                       "<p>one</p><p>two</p><P>three</P>", "<P>mixed</P> <p>last"}));
  EXPECT_EQ(state_.ad_count(), 3);
  // The listing is gone, the page stays until the next run.
  EXPECT_FALSE(testing::file_exists("oglasi.txt"));
  EXPECT_TRUE(testing::file_exists("oglasi_wget/oglasi_wget.html"));
}

TEST_F(AdsTest, NoAdLineEndsTheRunAfterAnyKey) {
  for (const std::string page : {"", "<P>only capitals</P>\n<div>x</div>\n"}) {
    PipedConsole io("x");
    state_ = RunState();
    EXPECT_EQ(fetch(page, io), Flow::kEnd);
    EXPECT_EQ(state_.ad_count(), 0);
    std::string out = io.output();
    EXPECT_TRUE(
        out.ends_with("\n----------------------------\nCheck your internet connection!\nCheck wget.exe!\n\n"
                      "<...> any key to continue and end\n"))
        << out;
  }
}

TEST_F(AdsTest, OldAdsPageIsDeletedBeforeTheScreens) {
  testing::make_dir("oglasi_wget");
  testing::write_file("oglasi_wget/oglasi_wget.html", "<p>old</p>\n");
  testing::write_file("oglasi_wget/keep.html", "x");
  PipedConsole io;
  Context ctx{io, state_};
  delete_old_ads(ctx);
  EXPECT_EQ(testing::list_names("oglasi_wget"), std::vector<std::string>{"keep.html"});
}

}  // namespace
}  // namespace textpair
