#include "commands/command_line.h"

#include <gtest/gtest.h>

#include <random>

namespace textpair {
namespace {

Word w(const char* text, bool quoted = false) { return Word{text, quoted}; }

TEST(ParseCommandLine, SplitsTheProgramsCommandForms) {
  struct Case {
    const char* line;
    std::vector<Command> want;
  } cases[] = {
      {"dir /b compare_in\\ > compare_in.list",
       {{{w("dir"), w("/b"), w("compare_in\\")}, {{"compare_in.list", false}}}}},
      {"md oglasi_wget  > out_null.list", {{{w("md"), w("oglasi_wget")}, {{"out_null.list", false}}}}},
      {"dir > htm_out\\f_01.txt > out_null.list",
       {{{w("dir")}, {{"htm_out\\f_01.txt", false}, {"out_null.list", false}}}}},
      {"cmd /c find /i \".exe\" check_01.txt >  check_02.txt",
       {{{w("find"), w("/i"), w(".exe", true), w("check_01.txt")}, {{"check_02.txt", false}}}}},
      {"dir *.htm | find /c \".htm\" > count.txt",
       {{{w("dir"), w("*.htm")}, {}}, {{w("find"), w("/c"), w(".htm", true)}, {{"count.txt", false}}}}},
      {"copy \"my notes.txt\" my_notes.txt", {{{w("copy"), w("my notes.txt", true), w("my_notes.txt")}, {}}}},
      {"rename \"txt_wrk\\a b.txt\" a_b.txt", {{{w("rename"), w("txt_wrk\\a b.txt", true), w("a_b.txt")}, {}}}},
      {"dir>>x.txt", {{{w("dir")}, {{"x.txt", true}}}}},
      {"find \"a > b | c\" f.txt", {{{w("find"), w("a > b | c", true), w("f.txt")}, {}}}},
      {"find \"\" f.txt", {{{w("find"), w("", true), w("f.txt")}, {}}}},
      {"\tCMD /C  CMD.EXE /c chcp", {{{w("chcp")}, {}}}},
      {"copy compare_in\\\"a b.txt\" x", {{{w("copy"), w("compare_in\\a b.txt", true), w("x")}, {}}}},
      {"", {}},
      {"   ", {}},
      {"cmd /c", {}},
  };
  for (const Case& c : cases) {
    CommandLine line = parse_command_line(c.line);
    EXPECT_TRUE(line.valid) << c.line;
    EXPECT_FALSE(line.is_loop) << c.line;
    EXPECT_EQ(line.pipeline, c.want) << c.line;
  }
}

TEST(ParseCommandLine, ReadsForLoops) {
  struct Case {
    const char* line;
    std::vector<Word> set;
    Command body;
  } cases[] = {
      {"cmd /c for %i in (oglasi_wget\\oglasi*.*) do del /q %i > out_null.list",
       {w("oglasi_wget\\oglasi*.*")},
       {{w("del"), w("/q"), w("%i")}, {{"out_null.list", false}}}},
      {"cmd /c for %i in (check_*.txt) do del /q %i >> out_null.txt",
       {w("check_*.txt")},
       {{w("del"), w("/q"), w("%i")}, {{"out_null.txt", true}}}},
      {"for %i in (txt_in) do copy %i\\*.htm* htm_in\\ >> out_null.list",
       {w("txt_in")},
       {{w("copy"), w("%i\\*.htm*"), w("htm_in\\")}, {{"out_null.list", true}}}},
      {"FOR %%f IN ( a.txt, \"b c.txt\";d ) DO del %f",
       {w("a.txt"), w("b c.txt", true), w("d")},
       {{w("del"), w("%f")}, {}}},
  };
  for (const Case& c : cases) {
    CommandLine line = parse_command_line(c.line);
    ASSERT_TRUE(line.valid) << c.line;
    EXPECT_TRUE(line.is_loop) << c.line;
    EXPECT_EQ(line.loop_set, c.set) << c.line;
    ASSERT_EQ(line.pipeline.size(), 1u) << c.line;
    EXPECT_EQ(line.pipeline[0], c.body) << c.line;
  }
  EXPECT_EQ(parse_command_line("for %x in (a) do del %x").loop_variable, "%x");
}

TEST(ParseCommandLine, RejectsBrokenSyntax) {
  for (const char* line : {"dir >", "dir > ", "dir >>", "| find \"x\"", "dir |", "dir || find \"x\"", "for %i in (a",
                           "for %i in (a) copy x y", "for x in (a) do del x", "for %i (a) do del %i",
                           "for %i in (a) do", "cmd /c for %i in (a > b) do del %i", "for", "dir > \"\""}) {
    EXPECT_FALSE(parse_command_line(line).valid) << line;
  }
}

TEST(ParseCommandLine, SurvivesArbitraryBytes) {
  std::mt19937 rng(7);
  const std::string alphabet = "ab \t\"><|%()/\\*.,;=&^do fr in cmd /c\x01\xff";
  for (int i = 0; i < 20000; ++i) {
    std::string line;
    std::size_t len = rng() % 40;
    for (std::size_t k = 0; k < len; ++k) line += alphabet[rng() % alphabet.size()];
    CommandLine parsed = parse_command_line(line);
    if (!parsed.valid) continue;
    for (const Command& c : parsed.pipeline) {
      EXPECT_FALSE(c.words.empty()) << line;
      for (const Redirect& r : c.redirects) EXPECT_FALSE(r.target.empty()) << line;
    }
  }
}

TEST(Substitute, ReplacesTheVariableInWordsAndTargets) {
  Command body{{w("copy"), w("%i\\*.htm*"), w("htm_in\\")}, {{"%i.list", true}}};
  Command want{{w("copy"), w("txt_in\\*.htm*"), w("htm_in\\")}, {{"txt_in.list", true}}};
  EXPECT_EQ(substitute(body, "%i", "txt_in"), want);
  // A value holding the variable is not expanded again.
  EXPECT_EQ(substitute(Command{{w("del"), w("%i%i")}, {}}, "%i", "%i").words[1].text, "%i%i");
}

}  // namespace
}  // namespace textpair
