// A text that is one line longer than a megabyte (as a text with old Mac
// line ends, or one exported without line breaks, is read): the run ends at
// the results screen, the annotated pages carry the text's words in text
// order, each once, and the site stays in proportion to the input.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "test_util/http_server.h"
#include "test_util/program_run.h"

namespace fs = std::filesystem;

namespace textpair::testing {
namespace {

constexpr const char* kProgramName = "www.textpair-long-line.example.exe";
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
// Published bytes per input byte; each word of about five bytes becomes a
// span with its hidden links on the page and a linked entry on the search
// page (under 80 today). A writer that repeats a line's text goes far past it.
constexpr std::uintmax_t kMostSiteBytesPerInputByte = 150;

// 300,000 words of 500 distinct spellings, blank-separated, no line end:
// about 1.4 MB on one line.
std::vector<std::string> long_line_words() {
  std::vector<std::string> words;
  for (int i = 0; i < 300000; ++i) words.push_back(std::string("w").append(std::to_string(i % 500)));
  return words;
}

// The words of the double-clickable spans of an annotated page, in order.
std::vector<std::string> span_words(const std::string& page) {
  const std::string open = "window.event.cancelbubble = true;\">";
  std::vector<std::string> words;
  for (std::size_t at = page.find(open); at != std::string::npos; at = page.find(open, at)) {
    at += open.size();
    const std::size_t end = page.find("</span>", at);
    if (end == std::string::npos) break;
    words.push_back(page.substr(at, end - at));
  }
  return words;
}

TEST(LongLine, OneLineOverAMegabyteGivesItsWordsInTextOrder) {
  HttpServer ads{"/oglasi/oglasi.htm", "<html><body>\n<p>First advertisement</p>\n</body></html>\n"};
  ProgramRun run(kProgramName);
  const std::vector<std::string> words = long_line_words();
  std::string text;
  for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
  ASSERT_GT(text.size(), 1000000u);
  run.write_file("compare_in/long.txt", text);
  run.write_file("compare_in/short.txt", "Another text entirely.\r\n");

  RunResult result = run.run(kCompleteRun, ads.proxy_env(), kTimeLimit);
  ASSERT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_status, 0);
  ASSERT_NE(result.transcript.find("============ RESULTS ==========="), std::string::npos)
      << result.transcript.substr(0, 4000);

  // The pages in name order, which is text order; their words of the long
  // text (three bytes or more) must be the text's, in order, each once.
  const fs::path site = fs::path(run.folder()) / "htm_out";
  std::vector<std::string> pages;
  std::uintmax_t site_bytes = 0;
  for (const auto& entry : fs::directory_iterator(site)) {
    site_bytes += entry.file_size();
    const std::string name = entry.path().filename().string();
    if (name.rfind("page_", 0) == 0) pages.push_back(name);
  }
  std::sort(pages.begin(), pages.end());
  ASSERT_FALSE(pages.empty());
  std::vector<std::string> seen;
  for (const std::string& page : pages) {
    for (std::string& w : span_words(run.read_file("htm_out/" + page))) {
      if (w.size() >= 2 && w[0] == 'w' && w.find_first_not_of("0123456789", 1) == std::string::npos) {
        seen.push_back(std::move(w));
      }
    }
  }
  std::vector<std::string> want;
  for (const std::string& w : words) {
    if (w.size() >= 3) want.push_back(w);
  }
  ASSERT_EQ(seen.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    ASSERT_EQ(seen[i], want[i]) << "word " << i;
  }
  EXPECT_LE(site_bytes, kMostSiteBytesPerInputByte * text.size());
}

}  // namespace
}  // namespace textpair::testing
