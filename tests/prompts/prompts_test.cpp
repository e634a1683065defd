#include "prompts/prompts.h"

#include <gtest/gtest.h>

#include "test_util/piped_console.h"

namespace textpair {
namespace {

using testing::PipedConsole;

struct KeyCase {
  const char* name;
  std::string input;
  char answer;       // '\0': input ended first
  std::string left;  // what a line read finds afterwards
};

TEST(KeyPromptTest, WritesMenuOnceAndTakesOnlyAcceptedSingleKeys) {
  const KeyCase cases[] = {
      {"first key accepted", "2rest\n", '2', "rest"},
      {"other keys dropped", "37\r\nx1tail\n", '1', "tail"},
      {"escape sequence bytes dropped one by one", "\x1b[A\x1bOP2\n", '2', ""},
      {"end of input", "9x", '\0', ""},
      {"empty input", "", '\0', ""},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    PipedConsole io(c.input);
    EXPECT_EQ(key_prompt(io, {"<1> continue", "<2> end"}, "12"), c.answer);
    std::string rest = line_prompt(io, "after");
    EXPECT_EQ(rest, c.left);
    EXPECT_EQ(io.output(), "<1> continue\n<2> end\nafter? " + c.left + "\n");
  }
}

TEST(KeyPromptTest, EndPromptWaitsForOneAndEndsAlsoAtEndOfInput) {
  for (const std::string input : {"2 \r\n31x", "22", ""}) {
    PipedConsole io(input);
    EXPECT_EQ(end_prompt(io), Flow::kEnd);
    EXPECT_EQ(io.output(), "<1> = continue and end\n");
    EXPECT_EQ(line_prompt(io, "q"), input == "2 \r\n31x" ? "x" : "");
  }
}

TEST(KeyPromptTest, ContinuePromptGoesOnOnlyAtOne) {
  const std::pair<std::string, Flow> cases[] = {
      {"1", Flow::kGoOn}, {"x1", Flow::kGoOn}, {"2", Flow::kEnd}, {"x\n", Flow::kEnd}};
  for (const auto& [input, flow] : cases) {
    PipedConsole io(input);
    EXPECT_EQ(continue_prompt(io, {"<1> continue", "<2> end"}), flow) << input;
  }
}

TEST(AnyKeyPromptTest, AnyKeyOrEndOfInputEndsIt) {
  for (const std::string input : {"\x1b[Bz", "zz", "\n", ""}) {
    PipedConsole io(input);
    any_key_prompt(io, "<...> any key to continue and end");
    EXPECT_EQ(io.output(), "<...> any key to continue and end\n");
    // Exactly one key was taken.
    std::string rest = line_prompt(io, "");
    EXPECT_EQ(rest, input.size() > 1 ? input.substr(1) : "");
  }
}

TEST(LinePromptTest, ReadsOneLineAndWritesItBack) {
  struct Case {
    std::string input;
    std::vector<std::string> lines;
    std::string output;
  };
  const Case cases[] = {
      {"abc\r\ndef\n", {"abc", "def", ""}, "Q? abc\nQ? def\nQ? \n"},
      {"\n\n", {"", "", ""}, "Q? \nQ? \nQ? \n"},
      {"last line without end", {"last line without end", ""}, "Q? last line without end\nQ? \n"},
      {"utf-8 \xc5\xa1\xc4\x8d\n", {"utf-8 \xc5\xa1\xc4\x8d"}, "Q? utf-8 \xc5\xa1\xc4\x8d\n"},
      {"a\rb\n", {"a\rb"}, "Q? a\rb\n"},
  };
  for (const Case& c : cases) {
    PipedConsole io(c.input);
    for (const std::string& want : c.lines) EXPECT_EQ(line_prompt(io, "Q"), want);
    EXPECT_EQ(io.output(), c.output);
  }
}

TEST(LinePromptTest, NumberPromptReadsTheLeadingNumber) {
  const std::pair<std::string, long long> cases[] = {
      {"3\n", 3}, {"  \t12.6\n", 13}, {"-2\n", -2}, {"\n", 0}, {"x5\n", 0}, {"", 0}, {"7 files\n", 7}};
  for (const auto& [input, want] : cases) {
    PipedConsole io(input);
    EXPECT_EQ(number_prompt(io, "line number"), want) << input;
  }
}

}  // namespace
}  // namespace textpair
