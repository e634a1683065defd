#include "indexing/word_list_chain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/records.h"
#include "common/word_records.h"
#include "indexing/text_places.h"
#include "indexing/word_extraction.h"
#include "platform/fault_seam.h"
#include "test_util/piped_console.h"
#include "test_util/site_files.h"
#include "test_util/work_folder.h"

namespace textpair {
namespace {

using testing::crlf;
using testing::file_exists;
using testing::read_file;
using testing::write_file;

// The words in text order as the extraction leaves them beside the keyed
// records: each record's place, in the order of the ordinals.
void write_text_order(const std::vector<std::string>& keyed) {
  std::vector<std::pair<std::uint64_t, std::vector<std::string>>> places;
  std::vector<std::string_view> f;
  for (const std::string& line : keyed) {
    // key, page, line, word, column, ordinal
    split_record(line, 6, f);
    places.push_back(
        {read_ordinal(f[5]), {std::string(f[1]), std::string(f[2]), std::string(f[4]), std::string(f[3])}});
  }
  std::sort(places.begin(), places.end());
  TextPlaceWriter text;
  ASSERT_TRUE(text.create(kTextOrderWords));
  for (const auto& [ordinal, p] : places) text.add(p[0], p[1], p[2], p[3]);
  ASSERT_TRUE(text.close().ok());
}

class BuildWordLists : public testing::WorkFolderTest {
 protected:
  // Writes a piece of keyed words as the extraction would, from records
  // written out in full for the reader of the test: key, page, padded line,
  // word, padded column and ordinal, in quotes. The piece holds them sorted.
  void write_keyed(const std::string& name, const std::vector<std::string>& records) {
    std::vector<std::string> piece;
    std::vector<std::string_view> f;
    for (const std::string& record : records) {
      split_record(record, 6, f);
      std::string line;
      append_keyed_record(line, {.key = f[0],
                                 .page = f[1],
                                 .word = f[3],
                                 .line = read_number_field(padded_digits(f[2])),
                                 .ordinal = read_ordinal(f[5])});
      piece.push_back(line);
      written_.push_back(record);
    }
    std::sort(piece.begin(), piece.end());
    write_file(name, crlf(piece));
  }
  // With `slotted` false, the words are joined with their places in windows
  // of two words, written and read back. Without the words in text order, they are made from the
  // records of the keyed pieces written since the last build, as the
  // extraction would have written them.
  Flow build(bool slotted = true) {
    // A work folder always holds the program's subfolders; without any, the
    // folder listing that looks for wrd_24 would complain "File Not Found".
    testing::make_dir("compare_in");
    if (!file_exists(kTextOrderWords)) write_text_order(written_);
    written_.clear();
    Context ctx{console_, state_};
    return build_word_lists(ctx, slotted ? kWindowWords : 2);
  }
  testing::PipedConsole console_;
  RunState state_;
  std::vector<std::string> written_;
};

// The keyed words of three pages, sorted: The and the share one id,
// page_02 lacks the words that page_01 and page_03 share.
const std::vector<std::string> kThreePages = {
    R"("cat","page_01.htm","         1","cat","    10","00000001")",
    R"("cat","page_03.htm","         3","cat","     6","00000005")",
    R"("dog","page_02.htm","         1","dog","     6","00000003")",
    R"("the","page_01.htm","         1","The","     6","00000000")",
    R"("the","page_01.htm","         2","the","     6","00000002")",
    R"("the","page_03.htm","         1","the","     6","00000004")",
};

TEST_F(BuildWordLists, ChainOfListsForThreePages) {
  write_keyed("wrd_01_02_1.txt", kThreePages);
  ASSERT_EQ(build(), Flow::kGoOn);
  EXPECT_EQ(state_.group_count, 2);

  // Only the lists that later steps read are written: no unsorted lists, and
  // no text-order list beside wrd_24_K.
  for (const char* unwritten : {"wrd_04.txt", "wrd_05.txt", "wrd_07.txt", "wrd_08.txt", "wrd_11_1.txt", "wrd_12_1.txt",
                                "wrd_13_1.txt", "wrd_15.txt"}) {
    EXPECT_FALSE(file_exists(unwritten)) << unwritten;
  }

  const std::string pages = crlf({"page_01.htm", "page_02.htm", "page_03.htm"});
  EXPECT_EQ(read_file("group_page_all.txt"), pages);
  EXPECT_EQ(read_file("group_page_all_sort.txt"), pages);
  EXPECT_EQ(read_file("group_search_1.txt"), crlf({R"("page_01.htm")", R"("page_02.htm")"}));
  EXPECT_EQ(read_file("group_search_2.txt"), crlf({R"("page_03.htm")"}));
  EXPECT_FALSE(file_exists("group_search_3.txt"));

  // One record for each word's run on a page: its first occurrence and the
  // run's length.
  EXPECT_EQ(read_file("wrd_14_1.txt"), crlf({
                                           R"("id00000000","page_01.htm","cat","1","1")",
                                           R"("id00000002","page_02.htm","dog","1","1")",
                                           R"("id00000003","page_01.htm","The","1","2")",
                                       }));
  // Next pages: page_02 lacks the shared words, page_03 holds their last
  // occurrences.
  const std::string group1 = crlf({
      R"("page_01.htm","         1","     6","The","id00000003","1","page_03.htm")",
      R"("page_01.htm","         1","    10","cat","id00000000","1","page_03.htm")",
      R"("page_01.htm","         2","     6","the","id00000003","2","page_03.htm")",
      R"("page_02.htm","         1","     6","dog","id00000002","1","")",
  });
  const std::string group2 = crlf({
      R"("page_03.htm","         1","     6","the","id00000003","3","")",
      R"("page_03.htm","         3","     6","cat","id00000000","2","")",
  });
  // A flag for each record whose word occurs again later on its page: The
  // on page_01 (the line after it).
  EXPECT_EQ(read_file("wrd_25_1.txt"), "1000\r\n");
  EXPECT_EQ(read_file("wrd_25_2.txt"), "00\r\n");
  // The group lists are moved into the wrd_24 folder, not copied.
  EXPECT_FALSE(file_exists("wrd_24_1.txt"));
  EXPECT_FALSE(file_exists("wrd_24_2.txt"));
  // The keyed words have no later reader once numbered.
  EXPECT_FALSE(file_exists("wrd_01_02_1.txt"));
  EXPECT_EQ(read_file("wrd_24/wrd_24_1.txt"), group1);
  EXPECT_EQ(read_file("wrd_24/wrd_24_2.txt"), group2);
  EXPECT_EQ(testing::list_names("wrd_24"), (std::vector<std::string>{"wrd_24_1.txt", "wrd_24_2.txt"}));
  const std::string out = console_.output();
  EXPECT_EQ(out.substr(0, out.find("processed 50%\n") + 14),
            "processed 10%\nprocessed 20%\nprocessed 30%\nprocessed 40%\nprocessed 50%\n");
}

// The extraction may leave its sorted words in several pieces: the lists
// read them merged, as from one piece.
TEST_F(BuildWordLists, KeyedPiecesAreReadMerged) {
  write_keyed("wrd_01_02_1.txt", kThreePages);
  ASSERT_EQ(build(), Flow::kGoOn);
  const std::string from_one =
      read_file("wrd_24/wrd_24_1.txt") + read_file("wrd_24/wrd_24_2.txt") + read_file("wrd_14_1.txt");
  std::vector<std::string> odd, even;
  for (std::size_t i = 0; i < kThreePages.size(); ++i) (i % 2 == 0 ? odd : even).push_back(kThreePages[i]);
  write_keyed("wrd_01_02_1.txt", odd);
  write_keyed("wrd_01_02_2.txt", even);
  ASSERT_EQ(build(), Flow::kGoOn);
  EXPECT_EQ(read_file("wrd_24/wrd_24_1.txt") + read_file("wrd_24/wrd_24_2.txt") + read_file("wrd_14_1.txt"), from_one);
}

TEST_F(BuildWordLists, Wrd24FolderIsEmptiedAndRefilled) {
  testing::make_dir("wrd_24");
  write_file("wrd_24/wrd_24_7.txt", "stale\r\n");
  write_file("wrd_24/notes.dat", "kept\r\n");
  write_keyed("wrd_01_02_1.txt", {R"("one","page_01.htm","         1","one","     1","00000000")"});
  ASSERT_EQ(build(), Flow::kGoOn);
  EXPECT_EQ(testing::list_names("wrd_24"), (std::vector<std::string>{"notes.dat", "wrd_24_1.txt"}));
  EXPECT_EQ(read_file("wrd_24/wrd_24_1.txt"),
            crlf({R"("page_01.htm","         1","     1","one","id00000000","1","")"}));
}

TEST_F(BuildWordLists, IdIsThePlaceOfTheWordsFirstRecord) {
  std::vector<std::string> records;
  for (std::uint64_t i = 0; i <= 123; ++i) {
    std::string ordinal;
    append_ordinal(ordinal, i);
    const std::string word = i < 123 ? "aaa" : "bbb";
    records.push_back("\"" + word + "\",\"page_01.htm\",\"" + line_field(i < 123 ? 1 : 2) + "\",\"" + word + "\",\"" +
                      column_field(i < 123 ? i + 1 : 1, 80) + "\",\"" + ordinal + "\"");
  }
  write_keyed("wrd_01_02_1.txt", records);
  ASSERT_EQ(build(), Flow::kGoOn);
  const std::string ids = read_file("wrd_24/wrd_24_1.txt");
  EXPECT_NE(ids.find(R"("aaa","id00000000","123","")"), std::string::npos);
  EXPECT_NE(ids.find(R"("bbb","id00000123","1","")"), std::string::npos);
  EXPECT_EQ(state_.group_count, 1);
}

TEST_F(BuildWordLists, NoWordsLeaveOneEmptyPageGroup) {
  write_keyed("wrd_01_02_1.txt", {});
  ASSERT_EQ(build(), Flow::kGoOn);
  EXPECT_EQ(state_.group_count, 1);
  EXPECT_EQ(read_file("wrd_24/wrd_24_1.txt"), "");
  EXPECT_EQ(read_file("group_page_all_sort.txt"), "\r\n");
  EXPECT_EQ(read_file("group_search_1.txt"), "\"\"\r\n");
  EXPECT_FALSE(file_exists("wrd_15.txt"));
}

TEST_F(BuildWordLists, FourPagesLeaveAnEmptyThirdGroup) {
  write_keyed("wrd_01_02_1.txt", {
                                     R"("one","page_01.htm","         1","one","     1","00000000")",
                                     R"("one","page_03.htm","         1","one","     1","00000002")",
                                     R"("two","page_02.htm","         1","two","     1","00000001")",
                                     R"("two","page_04.htm","         1","two","     1","00000003")",
                                 });
  ASSERT_EQ(build(), Flow::kGoOn);
  EXPECT_EQ(state_.group_count, 3);
  EXPECT_EQ(read_file("group_search_2.txt"), crlf({R"("page_03.htm")", R"("page_04.htm")"}));
  EXPECT_EQ(read_file("group_search_3.txt"), "");
  EXPECT_EQ(read_file("wrd_24/wrd_24_2.txt"), crlf({
                                                  R"("page_03.htm","         1","     1","one","id00000000","2","")",
                                                  R"("page_04.htm","         1","     1","two","id00000002","2","")",
                                              }));
  for (const char* empty : {"wrd_14_3.txt", "wrd_24/wrd_24_3.txt"}) {
    EXPECT_TRUE(file_exists(empty)) << empty;
    EXPECT_EQ(read_file(empty), "") << empty;
  }
}

// Given the words in text order, the lists give them their ids and numbers
// in place instead of sorting the numbered records back: every list comes
// out the same.
TEST_F(BuildWordLists, WordsInTextOrderGiveTheSameListsAsTheSortBack) {
  // More words than are pending at once, their ordinals in no order.
  std::vector<std::string> many;
  for (int i = 0; i < 60; ++i) {
    const std::string word = "w" + std::to_string(100 + i % 20);
    std::string ordinal;
    append_ordinal(ordinal, static_cast<std::uint64_t>((i * 37) % 60));
    many.push_back("\"" + word + "\",\"page_01.htm\",\"" + line_field(100 + i) + "\",\"" + word + "\",\"     1\",\"" +
                   ordinal + "\"");
  }
  std::sort(many.begin(), many.end());
  struct Case {
    const char* name;
    std::vector<std::string> records;
  } cases[] = {
      {"three pages", kThreePages},
      {"sixty words", many},
      {"four pages",
       {R"("one","page_01.htm","         1","one","     1","00000000")",
        R"("one","page_03.htm","         1","one","     1","00000002")",
        R"("two","notes.htm","         1","two","     1","00000004")",  // not a page file: left out
        R"("two","page_02.htm","         1","two","     1","00000001")",
        R"("two","page_04.htm","         1","two","     1","00000003")"}},
      {"no words", {}},
  };
  const std::vector<std::string> lists = {
      "wrd_24/wrd_24_1.txt", "wrd_24/wrd_24_2.txt", "wrd_24/wrd_24_3.txt", "wrd_25_1.txt",       "wrd_25_2.txt",
      "wrd_14_1.txt",        "wrd_14_2.txt",        "group_page_all.txt",  "group_search_1.txt", "group_search_2.txt"};
  auto read_lists = [&] {
    std::string all;
    for (const std::string& name : lists) all += name + ":" + (file_exists(name) ? read_file(name) : "-") + "\n";
    return all + "groups " + std::to_string(state_.group_count);
  };
  for (const Case& c : cases) {
    for (const std::string& name : lists) std::remove(name.c_str());
    write_keyed("wrd_01_02_1.txt", c.records);
    ASSERT_EQ(build(false), Flow::kGoOn) << c.name;
    const std::string sorted_back = read_lists();
    for (const std::string& name : lists) std::remove(name.c_str());
    write_keyed("wrd_01_02_1.txt", c.records);  // the lists deleted them once read
    ASSERT_EQ(build(), Flow::kGoOn) << c.name;
    EXPECT_EQ(read_lists(), sorted_back) << c.name;
  }
  // The places are read from the words in text order.
  write_keyed("wrd_01_02_1.txt", {R"("cat","page_01.htm","         1","cat","     1","00000000")"});
  for (const bool slotted : {true, false}) {
    write_keyed("wrd_01_02_1.txt", {R"("cat","page_01.htm","         1","cat","     1","00000000")"});
    write_file(kTextOrderWords, crlf({"Ppage_01.htm", "L         1", "     1|CAT"}));
    ASSERT_EQ(build(slotted), Flow::kGoOn);
    EXPECT_EQ(read_file("wrd_24/wrd_24_1.txt"),
              crlf({R"("page_01.htm","         1","     1","CAT","id00000000","1","")"}));
    EXPECT_FALSE(file_exists(kTextOrderWords)) << "read once, then deleted";
  }
}

// Words in text order that end before the numbered ones: the run ends on
// the failed read of the places rather than leave lists without them.
TEST_F(BuildWordLists, PlacesThatEndEarlyEndTheRun) {
  for (const bool slotted : {true, false}) {
    write_keyed("wrd_01_02_1.txt", kThreePages);
    write_file(kTextOrderWords, crlf({"Ppage_01.htm", "L         1", "     6|The"}));
    state_.failures = IoFailures();
    EXPECT_EQ(build(slotted), Flow::kEnd);
    ASSERT_TRUE(state_.failures.any());
    EXPECT_EQ(state_.failures.first_kind(), FailureKind::kRead);
    EXPECT_EQ(state_.failures.first().describe(), "wrd_01_03.txt: it ends before the last numbered word");
  }
}

// With at most two page files every record falls in group 1, and its
// word-order list is written as the records are numbered; it must hold what
// the sort by id and text order makes when more pages are listed.
TEST_F(BuildWordLists, WordOrderListWrittenAsNumberedMatchesTheSortedOne) {
  auto keyed = [](const char* key, const char* page, std::size_t line, const char* word, std::size_t column,
                  std::uint64_t ordinal) {
    std::string o;
    append_ordinal(o, ordinal);
    return "\"" + std::string(key) + "\",\"" + page + "\",\"" + line_field(line) + "\",\"" + word + "\",\"" +
           column_field(column, 80) + "\",\"" + o + "\"";
  };
  // A word whose records outgrow what is held goes through a sort of its own.
  std::vector<std::string> many;
  // Each record is held in about 80 bytes against a hold of 8 MiB, and
  // takes about 150 in the sort by id, whose pieces take 24 MiB.
  constexpr std::size_t kLines = 65000;
  const std::string key(40, 'a');
  const std::string capital = "A" + key.substr(1);
  for (std::size_t i = 1; i <= kLines; ++i) {
    many.push_back(keyed(key.c_str(), "page_01.htm", i, capital.c_str(), 5, 2 * i - 1));
    many.push_back(keyed(key.c_str(), "page_01.htm", i, key.c_str(), 1, 2 * i - 2));
  }
  many.push_back(keyed("bbb", "page_01.htm", kLines + 1, "bbb", 1, 2 * kLines));
  struct Case {
    const char* name;
    std::vector<std::string> pages;
    std::vector<std::string> records;  // sorted by their bytes, as the extraction leaves them
    bool spills;
  } cases[] = {
      {"case variants on one line, out of text order",
       {"page_01.htm"},
       {keyed("the", "page_01.htm", 1, "The", 20, 2), keyed("the", "page_01.htm", 1, "the", 5, 0),
        keyed("the", "page_01.htm", 2, "the", 1, 3), keyed("tree", "page_01.htm", 1, "tree", 10, 1)},
       false},
      {"two pages, the later one sorting first",
       {"page_2.htm", "page_10.htm"},
       {keyed("cat", "page_10.htm", 1, "cat", 1, 2), keyed("cat", "page_2.htm", 1, "cat", 1, 0),
        keyed("cat", "page_2.htm", 2, "Cat", 3, 1)},
       false},
      {"one word beyond the hold", {"page_01.htm"}, many, true},
  };
  // The sorts delete their pieces once merged: whether a piece was made is
  // seen as it is opened.
  struct PieceWatch : FaultHook {
    std::optional<InjectedFault> before(FileOp op, const std::string& path) override {
      if (op == FileOp::kOpen && path.find("file_w_1.txt") != std::string::npos) made_piece = true;
      return std::nullopt;
    }
    bool made_piece = false;
  } watch;
  FaultHook* const was = set_fault_hook(&watch);
  for (const Case& c : cases) {
    // The word lists delete the keyed pieces once read: each build gets them anew.
    write_keyed("wrd_01_02_1.txt", c.records);
    write_file("dir_02.txt", crlf({"page_09.htm", "page_08.htm", "page_07.htm"}));
    watch.made_piece = false;
    ASSERT_EQ(build(), Flow::kGoOn) << c.name;
    const std::string sorted = read_file("wrd_14_1.txt");
    EXPECT_FALSE(watch.made_piece) << c.name;  // the sort by id held them all
    write_keyed("wrd_01_02_1.txt", c.records);
    write_file("dir_02.txt", crlf(c.pages));
    ASSERT_EQ(build(), Flow::kGoOn) << c.name;
    EXPECT_EQ(read_file("wrd_14_1.txt"), sorted) << c.name;
    EXPECT_EQ(watch.made_piece, c.spills) << c.name;
    EXPECT_FALSE(file_exists("file_w_1.txt")) << c.name;
  }
  set_fault_hook(was);
  // Text order within each word: the first case's list.
  write_keyed("wrd_01_02_1.txt", cases[0].records);
  ASSERT_EQ(build(), Flow::kGoOn);
  EXPECT_EQ(read_file("wrd_14_1.txt"), crlf({
                                           R"("id00000000","page_01.htm","the","2","3")",
                                           R"("id00000003","page_01.htm","tree","1","1")",
                                       }));
}

}  // namespace
}  // namespace textpair
