#include "site/search_pages.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/run_state.h"
#include "common/word_records.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::read_file;
using testing::records;
using testing::split_crlf;
using testing::write_file;

std::vector<std::string> occ(int line, int pos, const std::string& word, const std::string& id, int n = 1,
                             const std::string& page = "page_01.htm") {
  using namespace next_page_record;
  std::vector<std::string> r(kFieldCount);
  std::tie(r[kPage], r[kLine], r[kColumn]) = std::tuple(page, line_field(line), column_field(pos, pos));
  std::tie(r[kWord], r[kId], r[kN]) = std::tuple(word, id, std::to_string(n));
  return r;
}

std::string added(const std::string& id, const std::string& word, int group = 1) {
  const std::string g = std::to_string(group);
  return " <span id=\"" + id + "_1\"><a href=\"i_" + g + ".htm#" + id + "\">" + word + "</a></span>";
}

std::string starting(const std::string& id, const std::string& word, int group = 1) {
  const std::string g = std::to_string(group);
  return "<span id=\"" + id + "_1\">" + word + " &nbsp </span>&nbsp <a href=\"i_" + g + ".htm#" + id + "\">" + word +
         "</a></span>";
}

std::vector<std::string> links(const std::string& link_word, const std::string& page, const std::string& query,
                               const std::string& site, const std::string& target, int group = 1) {
  const std::string g = std::to_string(group);
  const std::string search = "http://www.google.com/search?q=" + query;
  std::vector<std::string> out = {
      "<a href=\"i_" + g + ".htm#" + link_word + "\">i_" + g + "</a>",
      "&nbsp <a href=\"index.htm#" + link_word + "\">index</a>",
      "&nbsp <a href=\"files_list.htm#" + page + "\"> Content (" + page + ")</a>",
  };
  if (!site.empty()) out.push_back("&nbsp <a href=\"" + search + " site:" + site + "\"> " + site + "</a>");
  if (!target.empty()) out.push_back("&nbsp <a href=\"" + search + " site:" + target + "\"> " + target + "</a>");
  out.push_back("&nbsp <a href=\"" + search + "\"> web_search </a>");
  out.push_back("<br><br>");
  return out;
}

class SearchPagesTest : public testing::WorkFolderTest {
 protected:
  // The word lists leave each group's list in the wrd_24 folder.
  void SetUp() override { testing::make_dir("wrd_24"); }
  // The lines between the highlight script and the closing lines.
  std::vector<std::string> body(int group) {
    Context ctx{console_.console(), state_};
    write_search_page(ctx, group);
    const auto lines = split_crlf(read_file("s_" + std::to_string(group) + ".htm"));
    EXPECT_GE(lines.size(), 24u);
    if (lines.size() < 24) return {};
    EXPECT_EQ(lines[6], "<title>search.htm, content (only words) from input *.htm files</title>");
    EXPECT_EQ(lines[11], "<script language=\"javascript\">");
    EXPECT_EQ(lines[21], "</script>");
    EXPECT_EQ(lines[lines.size() - 2], "</body> <br>");
    EXPECT_EQ(lines.back(), "</html> <br>");
    return std::vector<std::string>(lines.begin() + 22, lines.end() - 2);
  }
  void add(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
  }
  testing::PipedConsole console_;
  RunState state_;
};

TEST_F(SearchPagesTest, WritesEachLineWithItsLinksAndClosesTheLastLine) {
  struct Case {
    const char* site;
    const char* target;
  } cases[] = {{"www.site.example", "www.target.example"}, {"", "www.target.example"}, {"", ""}};
  write_file("wrd_24/wrd_24_1.txt", records({
                                        occ(2, 5, "Alpha", "id00000001"),
                                        occ(2, 11, "beta", "id00000002"),
                                        occ(2, 16, "gamma", "id00000003"),
                                        occ(3, 5, "delta", "id00000004"),
                                        occ(3, 11, "C++", "id00000005", 1, "page_02.htm"),
                                        occ(5, 5, "Q&A#1", "id00000006", 1, "page_02.htm"),
                                        occ(5, 11, "100%", "id00000007", 1, "page_02.htm"),
                                    }));
  for (const Case& c : cases) {
    state_.search_site = c.site;
    state_.target_address = c.target;
    std::vector<std::string> want = {added("id00000001", "Alpha") + added("id00000002", "beta") +
                                     added("id00000003", "gamma") + "<br>"};
    // The first line's links point at the word that begins the second line.
    add(want, links("id00000004", "page_01.htm", "Alpha beta gamma ", c.site, c.target));
    want.push_back(starting("id00000004", "delta") + added("id00000005", "C++") + "<br>");
    // The content link names the page of the record that begins the next line.
    add(want, links("id00000004", "page_02.htm", "delta C%2B%2B ", c.site, c.target));
    want.push_back(starting("id00000006", "Q&A#1") + added("id00000007", "100%") + "<br>");
    add(want, links("id00000006", "page_02.htm", "Q%26A%231 100%25 ", c.site, c.target));
    EXPECT_EQ(body(1), want) << c.site << "|" << c.target;
  }
}

TEST(EncodeQuery, EscapesWhatAnAddressWouldReadOtherwise) {
  struct Case {
    const char* query;
    const char* want;
  } cases[] = {
      {"plain words ", "plain words "},
      {"100% ", "100%25 "},
      {"%25 ", "%2525 "},  // an escape in the text stays text
      {"C++ ", "C%2B%2B "},
      {"Q&A #1 ", "Q%26A %231 "},
      {"%&#+ ", "%25%26%23%2B "},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(encode_query(c.query), c.want) << c.query;
}

TEST_F(SearchPagesTest, AnEmptyGroupHasOnlyHeadScriptAndEnd) {
  write_file("wrd_24/wrd_24_2.txt", "");
  EXPECT_TRUE(body(2).empty());
}

TEST_F(SearchPagesTest, ALineHoldingTheHtmlEndTagIsLeftOutButNotItsLinks) {
  write_file("wrd_24/wrd_24_1.txt", records({occ(1, 1, "end</HTML>", "id00000001"), occ(2, 1, "next", "id00000002")}));
  std::vector<std::string> want;
  add(want, links("id00000002", "page_01.htm", "end</HTML> ", "", ""));
  want.push_back(starting("id00000002", "next") + "<br>");
  add(want, links("id00000002", "page_01.htm", "next ", "", ""));
  EXPECT_EQ(body(1), want);
}

// Lines of more than 28 words search for 28 random picks; the draws run on
// from one search page to the next.
TEST_F(SearchPagesTest, LongLinesSearchForRandomPicks) {
  auto line_of = [](int line, int words, int first_id) {
    std::vector<std::vector<std::string>> rows;
    char id[16];
    char word[16];
    for (int k = 1; k <= words; ++k) {
      std::snprintf(id, sizeof id, "id%08d", first_id + k);
      std::snprintf(word, sizeof word, "w%02d", k);
      rows.push_back(occ(line, 4 * k, word, id));
    }
    return rows;
  };
  auto all_words = [](int words) {
    std::string q;
    char word[16];
    for (int k = 1; k <= words; ++k) {
      std::snprintf(word, sizeof word, "w%02d ", k);
      q += word;
    }
    return q;
  };
  struct Case {
    int group;
    int words;
    std::string query;
  } cases[] = {
      {1, 28, all_words(28)},
      {2, 29, " w02 w17 w07 w24 w18 w15 w11 w26 w22 w06 w25 w21 w16 w10 w04 w05 w29 w14 w12"},
      {3, 29, " w18 w06 w20 w14 w11 w03 w23 w24 w16 w10 w26 w22 w28 w27 w05 w08 w25 w07 w29 w12"},
  };
  for (const Case& c : cases) {
    const std::string g = std::to_string(c.group);
    write_file("wrd_24/wrd_24_" + g + ".txt", records(line_of(7, c.words, 0)));
    const auto lines = body(c.group);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[lines.size() - 2],
              "&nbsp <a href=\"http://www.google.com/search?q=" + c.query + "\"> web_search </a>")
        << c.words << " words, group " << c.group;
  }
}

// A line whose markup or words outgrow what is held in memory goes on in
// scratch files: the page is the same byte for byte (the random draw of a
// long line's query reads the same words), a line holding the end tag is
// still left out, and the scratch files are gone afterwards.
TEST_F(SearchPagesTest, LongLineMarkupBeyondTheHeldBytesGivesTheSamePage) {
  auto line_of = [](int line, int words, int end_tag_at) {
    std::vector<std::vector<std::string>> rows;
    char id[16];
    for (int k = 1; k <= words; ++k) {
      std::snprintf(id, sizeof id, "id%08d", k % 7);
      rows.push_back(occ(line, 4 * k, k == end_tag_at ? "x</Html>" : "w" + std::to_string(k % 7), id, k));
    }
    return rows;
  };
  auto join = [](std::vector<std::vector<std::vector<std::string>>> lines) {
    std::vector<std::vector<std::string>> rows;
    for (auto& l : lines) rows.insert(rows.end(), l.begin(), l.end());
    return rows;
  };
  struct Case {
    const char* name;
    std::vector<std::vector<std::string>> rows;
  } cases[] = {
      {"one long line", line_of(1, 300, 0)},
      {"28 words, all drawn into the query", join({line_of(1, 28, 0), line_of(2, 2, 0)})},
      {"long lines between short ones",
       join({line_of(1, 3, 0), line_of(2, 200, 0), line_of(3, 1, 0), line_of(4, 90, 0)})},
      {"end tag in the spilled part", join({line_of(1, 200, 150), line_of(2, 50, 0)})},
      {"end tag in the held rest", join({line_of(1, 200, 200), line_of(2, 50, 0)})},
  };
  for (const Case& c : cases) {
    write_file("wrd_24/wrd_24_1.txt", records(c.rows));
    std::string pages[3];
    const std::size_t held[3] = {kHeldLineBytes, 100, 10};
    for (int i = 0; i < 3; ++i) {
      RunState state;
      Context ctx{console_.console(), state};
      write_search_page(ctx, 1, held[i]);
      EXPECT_FALSE(state.failures.any()) << c.name;
      pages[i] = read_file("s_1.htm");
    }
    EXPECT_EQ(pages[1], pages[0]) << c.name;
    EXPECT_EQ(pages[2], pages[0]) << c.name;
    EXPECT_EQ(pages[0].find("</Html>"), std::string::npos) << c.name;
    EXPECT_FALSE(testing::file_exists("search_line.txt")) << c.name;
    EXPECT_FALSE(testing::file_exists("search_query.txt")) << c.name;
  }
}

}  // namespace
}  // namespace textpair
