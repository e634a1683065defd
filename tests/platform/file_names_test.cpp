#include "platform/file_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_util/work_folder.h"

namespace textpair {
namespace {

TEST(WildcardMatch, FollowsTheInterpretersRules) {
  struct Case {
    const char* pattern;
    const char* name;
    bool want;
  } cases[] = {
      {"*.*", "a.txt", true},
      {"*.*", "noext", true},
      {"*.*", ".hidden", true},
      {"*", "a.b.c", true},
      {"*.", "txt_in", true},
      {"*.", "a.txt", false},
      {"*.", "a.b.c", false},
      {"*.txt", "A.TXT", true},
      {"*.txt", "a.txt.bak", false},
      {"*.txt", "a.b.txt", true},
      {"*.htm", "a.html", true},  // by the short name
      {"*.htm", "a.htm", true},
      {"*.htm", "a.htmlx", true},
      {"*.htm", "a.ht", false},
      {"*.htm", "a.xhtml", false},
      {"a.htm", "a.html", false},  // no wildcard: no short-name match
      {"*.htm*", "a.html", true},
      {"*.htm*", "page_01_02.htm", true},
      {"*.htm*", "a.txt", false},
      {"*.htm*", "htm", false},
      {"page_*.htm", "page_01.htm", true},
      {"page_*.htm", "PAGE_01.HTML", true},
      {"page_*.htm", "file_page_01.htm", false},
      {"page_*.htm", "page_01_02.htm", true},
      {"oglasi*.*", "oglasi_wget.html", true},
      {"oglasi*.*", "oglasi", true},
      {"oglasi*.*", "xoglasi.txt", false},
      {"oglasi.*", "oglasi.txt", true},
      {"oglasi.*", "oglasi", true},
      {"oglasi.*", "oglasi_wget.html", false},
      {"check_*.txt", "check_01.txt", true},
      {"check_*.txt", "check_.txt", true},
      {"check_*.txt", "check01.txt", false},
      {"file_s_*.txt", "file_s_12.txt", true},
      {"file_s_*.txt", "file_s_1.txt.bak", false},
      {"wrd_24*.txt", "wrd_24_03.txt", true},
      {"wrd_24*.txt", "wrd_24", false},
      {"wrd_24*.txt", "wrd_23_01.txt", false},
      {"i_*.htm", "i_1.htm", true},
      {"i_*.htm", "index.htm", false},
      {"s_*.htm", "files_list.htm", false},
      {"?.txt", "a.txt", true},
      {"?.txt", "ab.txt", false},
      {"a?.txt", "a.txt", true},  // "?" matches nothing before the dot
      {"a??", "a", true},
      {"a?c", "abc", true},
      {"a?c", "a.c", false},
      {"ABC.TXT", "abc.txt", true},
      {"abc.txt", "abd.txt", false},
      {"f_01.txt", "f_01.txt", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(wildcard_match(c.pattern, c.name), c.want) << c.pattern << " vs " << c.name;
  }
}

TEST(WildcardMatch, LongPatternsStayCheap) {
  std::string pattern(200, '*');
  pattern += "x";
  EXPECT_FALSE(wildcard_match(pattern, std::string(250, 'a')));
  EXPECT_TRUE(wildcard_match(pattern, std::string(250, 'a') + "x"));
}

TEST(NtfsCompare, SortsLikeADirectoryListing) {
  std::vector<std::string> names = {"b.txt", "a_b.txt", "ab.txt", "A.txt", "a.txt", "Zeta",
                                    "zeta",  "a",       "_x",     "1.txt", "~a",    "\xC3\xA4.txt"};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return ntfs_compare(a, b) < 0; });
  // Letters fold to upper case, so "_" (after "Z") sorts after every letter;
  // equal folded names fall back to plain bytes (upper case first).
  EXPECT_EQ(names, (std::vector<std::string>{"1.txt", "a", "A.txt", "a.txt", "ab.txt", "a_b.txt", "b.txt", "Zeta",
                                             "zeta", "_x", "~a", "\xC3\xA4.txt"}));
  EXPECT_EQ(ntfs_compare("abc", "ABC"), 1);
  EXPECT_EQ(ntfs_compare("abc", "abc"), 0);
}

// Native paths are written here with "/" and turned into the system's form.
std::string sys(std::string path) {
#ifdef _WIN32
  std::replace(path.begin(), path.end(), '/', '\\');
#endif
  return path;
}

TEST(NativePaths, JoinAndParentUseTheSystemsSeparator) {
  struct Case {
    const char* dir;
    const char* name;
    const char* joined;
    const char* parent;  // of the joined path
  } cases[] = {
      {"", "a.txt", "a.txt", ""},
      {"htm_out", "a.txt", "htm_out/a.txt", "htm_out"},
      {"htm_out/", "a.txt", "htm_out/a.txt", "htm_out"},
      {"x/y", "..", "x/y/..", "x/y"},
      {"/", "tmp", "/tmp", "/"},
#ifdef _WIN32
      {"C:/", "work", "C:/work", "C:/"},
#endif
  };
  for (const Case& c : cases) {
    std::string joined = join_path(sys(c.dir), c.name);
    EXPECT_EQ(joined, sys(c.joined)) << c.dir << " + " << c.name;
    EXPECT_EQ(parent_path(joined), sys(c.parent)) << joined;
  }
}

TEST(SplitFolder, SplitsAtTheLastSeparator) {
  struct Case {
    const char* name;
    const char* folder;
    const char* last;
  } cases[] = {
      {"a.txt", "", "a.txt"},
      {"txt_in\\a.txt", "txt_in", "a.txt"},
      {"compare_in\\", "compare_in", ""},
      {"a\\b/c.txt", "a\\b", "c.txt"},
  };
  for (const Case& c : cases) {
    std::string folder, last;
    split_folder(c.name, folder, last);
    EXPECT_EQ(folder, c.folder) << c.name;
    EXPECT_EQ(last, c.last) << c.name;
  }
}

TEST(ReservedWindowsName, DevicesAndTrimmedEndsAreReserved) {
  struct Case {
    const char* name;
    bool want;
  } cases[] = {
      {"con", true},
      {"PRN", true},
      {"aux.txt", true},
      {"Com1.htm", true},
      {"nul.tar.gz", true},
      {"LPT9.txt", true},
      {"com0.txt", true},
      {"aux .txt", true},  // blanks before the dot do not count
      {"CONOUT$.txt", true},
      {"com\xC2\xB9.txt", true},  // a superscript one
      {"notes.txt.", true},
      {"notes.txt ", true},
      {"notes.", true},
      {"auxiliary.txt", false},
      {"con_notes.txt", false},
      {"my aux.txt", false},
      {"com10.txt", false},
      {"com.txt", false},
      {"lpt.txt", false},
      {"comx.txt", false},
      {"com\xC2\xB4.txt", false},
      {"x.con", false},  // the extension names no device
      {" lead.txt", false},
      {".hidden", false},
      {"notes.txt", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(is_reserved_windows_name(c.name), c.want) << c.name;
}

class NativePathTest : public testing::WorkFolderTest {};

TEST_F(NativePathTest, FindsExistingNamesInAnyCaseAndKeepsNewOnes) {
  SKIP_ON_WINDOWS("the file system there matches names without regard to case by itself");
  testing::make_dir("txt_in/Sub");
  testing::write_file("txt_in/Sub/x.txt", "");
  struct Case {
    const char* name;
    const char* want;
  } cases[] = {
      {"TXT_IN\\x.txt", "txt_in/x.txt"},
      {"txt_in\\SUB\\X.TXT", "txt_in/Sub/x.txt"},
      {"txt_in\\sub\\New.Txt", "txt_in/Sub/New.Txt"},
      {"NEW\\x.txt", "NEW/x.txt"},
      {"txt_in\\", "txt_in"},
      {"txt_in/sub", "txt_in/Sub"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(native_path(c.name), c.want) << c.name;
}

TEST_F(NativePathTest, PrefersTheExactNameThenListingOrder) {
  SKIP_ON_WINDOWS("Windows cannot hold Data.txt beside data.txt");
  testing::write_file("Data.txt", "1");
  testing::write_file("data.txt", "2");
  EXPECT_EQ(native_path("data.txt"), "data.txt");
  EXPECT_EQ(native_path("Data.txt"), "Data.txt");
  EXPECT_EQ(native_path("DATA.TXT"), "Data.txt");
}

}  // namespace
}  // namespace textpair
