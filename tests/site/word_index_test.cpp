#include "site/word_index.h"

#include <gtest/gtest.h>

#include <regex>
#include <tuple>

#include "common/run_state.h"
#include "common/word_records.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::read_file;
using testing::records;
using testing::split_crlf;
using testing::write_file;

// A run of `count` occurrences of a word on a page, led by its n-th
// (word_page_run_record).
std::vector<std::string> occ(const std::string& id, const std::string& page, const std::string& word, int n,
                             int count = 1) {
  using namespace word_page_run_record;
  std::vector<std::string> r(kFieldCount);
  std::tie(r[kId], r[kPage], r[kWord], r[kN], r[kCount]) =
      std::tuple(id, page, word, std::to_string(n), std::to_string(count));
  return r;
}

std::string id_of(int k) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "id%08d", k);
  return buf;
}

// `pairs` words that occur once each on page_01.htm.
std::string distinct_words(int pairs) {
  std::vector<std::vector<std::string>> rows;
  for (int k = 0; k < pairs; ++k)
    rows.push_back(occ(id_of(k), "page_01.htm", std::string("w").append(std::to_string(k)), 1));
  return records(rows);
}

class WordIndexTest : public testing::WorkFolderTest {
 protected:
  WordIndexTest() { state_.ad_lines = {"", "ad one", "ad two", "ad three"}; }

  // The lines of i_K.htm after the line "<br>" that follows the Content link.
  std::vector<std::string> entries(int group) {
    Context ctx{console_.console(), state_};
    write_word_index_page(ctx, group);
    const auto lines = split_crlf(read_file("i_" + std::to_string(group) + ".htm"));
    const std::size_t start = 11 + 17 + 14 + 3;
    EXPECT_GE(lines.size(), start);
    EXPECT_EQ(lines[start - 2], "<a href=\"files_list.htm\"> Content </a><br>");
    return std::vector<std::string>(lines.begin() + std::min(start, lines.size()), lines.end());
  }

  // Entries as "E", advertisement lines as "A" + text, promotional blocks as "P".
  std::vector<std::string> shape(int group) {
    const auto lines = entries(group);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.size();) {
      if (lines[i] == "<br>" && i + 1 < lines.size() && lines[i + 1].rfind("<a href=\"page_", 0) == 0) {
        out.push_back("E");
        i += 4;
      } else if (lines[i] == "<br>" && i + 1 < lines.size() && lines[i + 1].find("PROMOTE") != std::string::npos) {
        out.push_back("P");
        i += 17;
      } else if (lines[i].rfind("<br>ad ", 0) == 0) {
        out.push_back(std::string("A").append(lines[i], 4));
        ++i;
      } else {
        out.push_back(lines[i]);
        ++i;
      }
    }
    return out;
  }

  testing::PipedConsole console_;
  RunState state_;
};

TEST_F(WordIndexTest, HeadPromotionAndIntroductionComeFirst) {
  write_file("wrd_14_1.txt", "");
  write_file("group_page_all_sort.txt", crlf({"page_01.htm"}));
  Context ctx{console_.console(), state_};
  write_word_index_page(ctx, 1);
  auto lines = split_crlf(read_file("i_1.htm"));
  ASSERT_EQ(lines.size(), 11u + 17 + 14 + 6);
  EXPECT_EQ(lines[0], "<html>");
  EXPECT_EQ(lines[4], "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
  EXPECT_EQ(lines[6], "<title>index of key words</title>");
  EXPECT_EQ(lines[10], "<body>");
  EXPECT_EQ(lines[12], "<br> <b> PROMOTE YOUR BRAND WITH OUR PROGRAM </b>");
  EXPECT_EQ(lines[29], "QUICK AND EASY INFORMATION SEARCH");
  const std::string address = publisher_address();
  EXPECT_EQ(lines[38], "<a href=\"" + address + "\">" + address + "</a>");
  EXPECT_TRUE(std::regex_match(lines[40], std::regex(R"(Date \(mm-dd-yy\) = \d\d-\d\d-\d{4}<br>)"))) << lines[40];
  EXPECT_TRUE(std::regex_match(lines[41], std::regex(R"(Time \(h:m:s\)    = \d\d:\d\d:\d\d<br>)"))) << lines[41];
  EXPECT_EQ(lines[42], "<br><br>");
  // An empty group still gets a (blank) last entry.
  EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
            (std::vector<std::string>{"<a href=\"#\" id=\"\"></a>&nbsp;&nbsp;&nbsp; (, 1)<br>", "</body>", "</html>"}));
}

TEST_F(WordIndexTest, OneEntryPerWordAndPageWithItsCount) {
  write_file("wrd_14_2.txt", records({
                                 occ("id00000003", "page_03.htm", "Apple", 1, 3),
                                 occ("id00000003", "page_04.htm", "APPLE", 4),
                                 occ("id00000009", "page_04.htm", "pear", 1, 2),
                             }));
  EXPECT_EQ(entries(2), (std::vector<std::string>{
                            "<br>",
                            "<a href=\"page_03.htm#id00000003\" id=\"id00000003\">Apple</a>&nbsp;&nbsp;&nbsp; "
                            "(page_03.htm, 3)",
                            "&nbsp;&nbsp;<a href=\"s_2.htm#id00000003_1\">s_2</a>",
                            "&nbsp;&nbsp;<a href=\"index.htm#id00000003\"> index</a>",
                            "<br>",
                            "<a href=\"page_04.htm#id00000003\" id=\"id00000003\">APPLE</a>&nbsp;&nbsp;&nbsp; "
                            "(page_04.htm, 1)",
                            "&nbsp;&nbsp;<a href=\"s_2.htm#id00000003_4\">s_2</a>",
                            "&nbsp;&nbsp;<a href=\"index.htm#id00000003\"> index</a>",
                            "<a href=\"page_04.htm#id00000009\" id=\"id00000009\">pear</a>&nbsp;&nbsp;&nbsp; "
                            "(page_04.htm, 2)<br>",
                            "</body>",
                            "</html>",
                        }));
}

TEST_F(WordIndexTest, AdvertisementsAndPromotionalBlocksAtTheirIntervals) {
  struct Page {
    int pairs;                                       // the last pair is the page's last entry
    std::vector<std::pair<int, std::string>> after;  // entry number -> what follows it
  } pages[] = {
      // 60 entries: an advertisement after the 26th and the 52nd.
      {61, {{26, "Aad one"}, {52, "Aad two"}}},
      // The count of advertisements starts again on each page, the count of
      // entries for the promotional block runs on: 101 entries after 41 here.
      {50, {{26, "Aad three"}, {41, "P"}}},
      // After the third advertisement line the first comes again.
      {30, {{26, "Aad one"}}},
  };
  for (int k = 0; k < 3; ++k) {
    const int group = k + 1;
    write_file("wrd_14_" + std::to_string(group) + ".txt", distinct_words(pages[k].pairs));
    std::vector<std::string> want;
    for (int e = 1; e < pages[k].pairs; ++e) {
      want.push_back("E");
      for (const auto& [at, what] : pages[k].after) {
        if (at == e) want.push_back(what);
      }
    }
    want.push_back("<a href=\"page_01.htm#" + id_of(pages[k].pairs - 1) + "\" id=\"" + id_of(pages[k].pairs - 1) +
                   "\">w" + std::to_string(pages[k].pairs - 1) + "</a>&nbsp;&nbsp;&nbsp; (page_01.htm, 1)<br>");
    want.push_back("</body>");
    want.push_back("</html>");
    EXPECT_EQ(shape(group), want) << "page " << group;
  }
}

}  // namespace
}  // namespace textpair
