#include "driver/target_address.h"

#include <gtest/gtest.h>

#include "platform/console.h"
#include "test_util/piped_console.h"

namespace textpair {
namespace {

TEST(TargetAddressTest, TakesTheNameAfterTheLastWebPrefix) {
  const std::pair<std::string, std::string> cases[] = {
      {"www.Site.exe", "www.site"},
      {"WWW.SITE.EXE", "www.site"},
      {"http.site.exe", "http://site"},
      {"https.site.exe", "https://site"},
      {"www.www.site.exe", "www.site"},
      {"https.www.site.exe", "www.site"},  // "www." is looked for first
      {"my_www.site.exe", "www.site"},
      {"/home/u/tp/www.example.com.exe", "www.example.com"},
      {"C:\\Tools\\HTTPS.Example.COM.EXE", "https://example.com"},
      // Folder names count: everything after the last prefix of the path.
      {"/srv/www.site/prog/textpair.exe", "www.site/prog/textpair"},
      {"www..exe", "www."},
      {"http..exe", "http://"},
      {"https..exe", "https://"},
      {"  www.site.exe  ", "www.site"},
      {"www.s\xc3\xa4te.exe", "www.s\xc3\xa4te"},
      // Only a final ".exe", in any case, is dropped: a program typed
      // without it keeps its whole name.
      {"www.mysite.example", "www.mysite.example"},
      {"C:\\Tools\\www.mysite.example", "www.mysite.example"},
      {"/bin/www.site.x", "www.site.x"},
      {"www.site.EXE", "www.site"},
      {"www.site.ExE", "www.site"},
      {"www.site.exe.bak", "www.site.exe.bak"},
      {"www.site.exe ", "www.site"},
      {"www.site.exex", "www.site.exex"},
      {"www.siteexe", "www.siteexe"},
      {"https.site", "https://site"},
      {"www.", "www."},
  };
  for (const auto& [path, address] : cases) {
    std::optional<std::string> got = target_address_from(path);
    ASSERT_TRUE(got.has_value()) << path;
    EXPECT_EQ(*got, address) << path;
  }
}

TEST(TargetAddressTest, NoWebPrefixMeansNoAddress) {
  for (const std::string path :
       {"textpair_01_002.exe", "textpair_01_002", "/usr/www/tp.exe", "ww.site.exe", "www.exe", "www", "", "a"}) {
    EXPECT_FALSE(target_address_from(path).has_value()) << path;
  }
}

TEST(TargetAddressTest, WritesTheAddressOrTheRenameScreen) {
  {
    testing::PipedConsole io;
    RunState state;
    state.invocation_path = "/x/www.my.site.exe";
    Context ctx{io, state};
    EXPECT_EQ(set_target_address(ctx), Flow::kGoOn);
    EXPECT_EQ(state.target_address, "www.my.site");
    EXPECT_EQ(io.output(), "----------------------------\nurl.publisher.02$ = www.my.site\n\n");
  }
  {
    // Only "1" leaves the rename screen; the keys after it stay unread.
    testing::PipedConsole io("2\n1rest");
    RunState state;
    state.invocation_path = "/x/textpair_01_002.exe";
    Context ctx{io, state};
    EXPECT_EQ(set_target_address(ctx), Flow::kEnd);
    EXPECT_EQ(state.target_address, "");
    // The screen itself is checked end to end.
    std::string out = io.output();
    EXPECT_EQ(out.find("url.publisher"), std::string::npos);
    EXPECT_TRUE(out.ends_with("\n<1> = continue and end\n"));
    std::string rest;
    io.console().read_line(rest);
    EXPECT_EQ(rest, "rest");
  }
}

}  // namespace
}  // namespace textpair
