// Complete runs: two texts in compare_in, piped answers, the ads page from a
// local server through the real wget. Every file of the published site is
// compared with the expected one (date and time lines masked), and so is
// the console transcript; every link inside the site must lead somewhere.
//
// TEXTPAIR_UPDATE_EXPECTED=1 writes the expected files from the run instead
// (review the difference before committing it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "test_util/http_server.h"
#include "test_util/program_run.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair::testing {
namespace {

namespace fs = std::filesystem;

const char* const kAdsPage =
    "<html>\n<body>\n<p>Harbour Cafe: fresh bread every morning.</p>\n<p>Learn to sail in five weekends.</p>\n"
    "<p>Boat repairs at fair prices.</p>\n</body>\n</html>\n";

void spill(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Every href and window.open target inside the site that is not a web
// address: its file must be in the site and its anchor must be an id there.
// The one exception: a word that stands in a page's title has no anchor
// there, since nothing inside a title is markup.
void expect_links_resolve(const std::map<std::string, std::string>& site) {
  static const std::regex kLink(R"re((?:href="|window\.open\(')([^"']*)["'])re");
  static const std::regex kId(R"re(\bid\s*=\s*"([^"]*)")re");
  static const std::regex kEntry(R"re(<a href="[^"#]*#(id\d{8})" id="id\d{8}">([^<]*)</a>)re");
  std::map<std::string, std::set<std::string>> ids;
  std::map<std::string, std::string> words;  // word id -> word, from the word index pages
  for (const auto& [name, text] : site) {
    for (std::sregex_iterator it(text.begin(), text.end(), kId), end; it != end; ++it) ids[name].insert((*it)[1]);
    if (name.rfind("i_", 0) == 0) {
      for (std::sregex_iterator it(text.begin(), text.end(), kEntry), end; it != end; ++it) {
        words[(*it)[1]] = (*it)[2];
      }
    }
  }
  auto in_title = [&](const std::string& page, const std::string& anchor) {
    const std::string id = anchor.substr(0, anchor.find('_'));
    if (!words.count(id)) return false;
    const std::string& text = site.at(page);
    const std::size_t open = text.find("<title"), close = text.find("</title>");
    return open != std::string::npos && close != std::string::npos &&
           text.substr(open, close - open).find("\r\n" + words[id] + "\r\n") != std::string::npos;
  };
  int checked = 0;
  for (const auto& [name, text] : site) {
    for (std::sregex_iterator it(text.begin(), text.end(), kLink), end; it != end; ++it) {
      const std::string target = (*it)[1];
      if (target.rfind("http://", 0) == 0 || target.rfind("https://", 0) == 0) continue;
      const std::size_t hash = target.find('#');
      const std::string file = hash == std::string::npos ? target : target.substr(0, hash);
      const std::string page = file.empty() ? name : file;
      ++checked;
      if (!site.count(page)) {
        ADD_FAILURE() << name << " links to a missing file: " << target;
        continue;
      }
      if (hash == std::string::npos) continue;
      const std::string anchor = target.substr(hash + 1);
      if (!ids[page].count(anchor) && !in_title(page, anchor)) {
        ADD_FAILURE() << name << " links to a missing anchor: " << target;
      }
    }
  }
  EXPECT_GT(checked, 0);
}

struct Case {
  const char* name;
  const char* program;
};

// The case's name stands for it in test listings (ctest shows the printed
// parameter beside the test's name), not the bytes of its pointers.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class CompleteRunTest : public ::testing::TestWithParam<Case> {};

TEST_P(CompleteRunTest, PublishesTheExpectedSite) {
  const Case& c = GetParam();
  const fs::path data = fs::path(TEXTPAIR_SOURCE_DIR) / "tests/e2e/complete_run" / c.name;
  const bool update = std::getenv("TEXTPAIR_UPDATE_EXPECTED") != nullptr;

  HttpServer ads("/oglasi/oglasi.htm", kAdsPage);
  ProgramRun run(c.program);
  for (const auto& [name, text] : files_of(data / "compare_in")) run.write_file("compare_in/" + name, text);
  RunResult result = run.run(slurp(data / "answers"), ads.proxy_env(), std::chrono::seconds(60));
  ASSERT_FALSE(result.timed_out) << result.transcript;
  EXPECT_EQ(result.exit_status, 0);

  const fs::path work(run.folder());
  const std::string transcript = run.normalise(result.transcript);
  std::map<std::string, std::string> site = files_of(work / "htm_out");
  if (update) {
    fs::remove_all(data / "expected");
    spill(data / "expected/transcript.txt", transcript);
    for (const auto& [name, text] : site) spill(data / "expected/htm_out" / name, masked(text));
  }

  EXPECT_EQ(transcript, slurp(data / "expected/transcript.txt"));
  std::map<std::string, std::string> want = files_of(data / "expected/htm_out");
  std::set<std::string> names, want_names;
  for (const auto& [name, text] : site) names.insert(name);
  for (const auto& [name, text] : want) want_names.insert(name);
  EXPECT_EQ(names, want_names);
  for (const auto& [name, text] : want) {
    if (site.count(name)) {
      EXPECT_EQ(masked(site[name]), text) << name;
    }
  }
  expect_links_resolve(site);

  // The clean-up leaves no scratch file in the work folder; the word group
  // files stay in their subfolder.
  for (const auto& e : fs::directory_iterator(work)) {
    const std::string ext = e.path().extension().string();
    EXPECT_FALSE(e.is_regular_file() && (ext.rfind(".htm", 0) == 0 || ext == ".txt" || ext == ".list"))
        << e.path().filename();
  }
  EXPECT_TRUE(fs::exists(work / "wrd_24/wrd_24_1.txt"));
}

INSTANTIATE_TEST_SUITE_P(Runs, CompleteRunTest,
                         ::testing::Values(Case{"two_texts", "www.harbour-news.example.exe"},
                                           Case{"no_search_site", "https.greek-letters.example.exe"}),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace textpair::testing
