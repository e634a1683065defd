#include "driver/tool_checks.h"

#include <string>

#include "commands/run_command.h"
#include "common/lines.h"
#include "platform/console.h"
#include "prompts/prompts.h"

namespace textpair {

namespace {

// A tool ran when its output file holds at least `needed` non-blank lines.
bool output_holds(const char* file, int needed) { return count_nonblank_lines(file) >= needed; }

Flow fail(Console& console, std::string_view what, std::string_view advice) {
  console.write_line(kDashes);
  console.write_line(what);
  console.write_line(advice);
  return end_prompt(console);
}

constexpr const char* kPathAdvice = "The system path to the program is most likely to be configured.";

// find and findstr are checked alike: a fresh listing of the work folder,
// searched for ".exe" (the program itself is always there).
bool search_tool_runs(Console& console, IoFailures& failures, const std::string& tool, int needed) {
  console.empty_line();
  console.write_line(tool);
  run_command(console, failures, "dir > out_null.txt");
  run_command(console, failures, "cmd /c for %i in (check_*.txt) do del /q %i >> out_null.txt");
  run_command(console, failures, "cmd /c dir > check_01.txt");
  run_command(console, failures, "cmd /c " + tool + " /i \".exe\" check_01.txt >  check_02.txt");
  return output_holds("check_02.txt", needed);
}

}  // namespace

Flow check_tools(Context& ctx) {
  Console& console = ctx.console;
  IoFailures& failures = ctx.state.failures;
  console.write_line(kDashes);
  console.write_line("Checking the accessibility of some urgently needed programs:");
  console.write_line("cmd.exe, find.exe, findstr.exe, sort.exe, wget.exe");
  console.empty_line();

  console.write_line("cmd");
  run_command(console, failures, "cmd /c dir *. > check_01.txt");
  if (!output_holds("check_01.txt", 1)) return fail(console, "Checking for cmd.exe!", kPathAdvice);

  // find writes a header line before the matches.
  if (!search_tool_runs(console, failures, "find", 2)) return fail(console, "Checking for find.exe!", kPathAdvice);
  // findstr writes the matches only: the program's own line is enough.
  if (!search_tool_runs(console, failures, "findstr", 1))
    return fail(console, "Checking for findstr.exe!", kPathAdvice);

  console.empty_line();
  console.write_line("sort");
  run_command(console, failures, "dir > check_01.txt");
  run_command(console, failures, "del /q check_*.txt");
  run_command(console, failures, "dir *. > check_01.txt");
  run_command(console, failures, "sort check_01.txt /o check_02.txt");
  if (!output_holds("check_02.txt", 2)) {
    return fail(console, "Checking for sort.exe", "It is probably necessary to set the system path to the program.");
  }
  return Flow::kGoOn;
}

}  // namespace textpair
