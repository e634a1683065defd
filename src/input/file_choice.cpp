#include "input/file_choice.h"

#include <vector>

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "platform/console.h"
#include "prompts/prompts.h"
#include "steps/folders.h"

namespace textpair {

namespace {

// Lines of a listing that hold ".txt" in lower case.
int count_txt_lines(const std::string& listing, IoFailures& failures) {
  LineReader reader(listing, failures);
  std::string line;
  int count = 0;
  while (reader.next(line)) {
    if (contains(line, ".txt")) ++count;
  }
  return count;
}

Flow end_screen(Console& console, const std::vector<std::string>& lines) {
  console.empty_line();
  console.write_line(kDashes);
  for (const std::string& line : lines) console.write_line(line);
  console.empty_line();
  return end_prompt(console);
}

Flow end_choice(Console& console, const std::string& reason) {
  console.write_line(reason);
  console.empty_line();
  any_key_prompt(console, "<...> any key for continue, end");
  return Flow::kEnd;
}

void show_numbered_list(Console& console, LineReader& list) {
  list.rewind();
  std::string line;
  for (long long n = 1; list.next(line); ++n)
    console.write_line(std::string(" ").append(std::to_string(n)).append(" ").append(line));
}

// The chosen line, said on the console as "<ordinal>. file for compare: ".
std::string show_choice(Console& console, LineReader& list, long long chosen, const std::string& ordinal) {
  console.empty_line();
  list.rewind();
  std::string line;
  for (long long n = 1; list.next(line); ++n) {
    if (n != chosen) continue;
    console.empty_line();
    console.write_line(ordinal + ". file for compare: " + line);
    return line;
  }
  return std::string();
}

long long ask_for_number(Console& console, const std::string& ordinal) {
  console.write_line("-- select " + ordinal + ". file for compare --");
  console.empty_line();
  return number_prompt(console, "select file with line number = ");
}

}  // namespace

std::string table_width_from(const std::string& reply) {
  long long v = read_number(reply);
  return v == 0 ? std::string("100%") : std::to_string(v) + "%";
}

Flow choose_files(Context& ctx) {
  Console& console = ctx.console;
  IoFailures& failures = ctx.state.failures;
  run_command(console, failures, "dir /b  compare_in\\*.txt > txt_file.txt");
  int candidates = count_txt_lines("txt_file.txt", failures);
  if (candidates == 0) {
    return end_screen(console, {"Subfolder compare_in is empty",
                                "The files you want to compare must be written to UTF-8 format and copied to the "
                                "COMPARE_IN subfolder."});
  }
  if (candidates == 1) return end_screen(console, {"The compare_in subfolder must contain at least 2 files."});

  reset_folder(console, failures, {.folder = "txt_in", .listing = "dir_01.txt", .make_when_missing = false});

  run_command(console, failures, "dir /b compare_in\\*.txt > dir_a_01.txt");
  LineReader list("dir_a_01.txt", failures);
  long long k = 0;
  for (std::string line; list.next(line);) ++k;

  console.empty_line();
  console.write_line(kDashes);
  show_numbered_list(console, list);
  console.empty_line();
  long long first = ask_for_number(console, "1");
  if (first < 1 || first > k) return end_choice(console, "line number is out of range");
  std::string first_name = show_choice(console, list, first, "1");
  run_command(console, failures, "copy /y compare_in\\" + first_name + " txt_in\\");

  console.write_line(kDashes);
  show_numbered_list(console, list);
  long long second = ask_for_number(console, "2");
  if (second < 1 || second > k) return end_choice(console, "line number is out of range");
  if (second == first) return end_choice(console, "the file is duplicated");
  std::string second_name = show_choice(console, list, second, "2");
  list.close();
  run_command(console, failures, "copy /y compare_in\\" + second_name + " txt_in\\");
  run_command(console, failures, "dir /b  txt_in\\*.txt > txt_file.txt");

  console.empty_line();
  console.write_line(kDashes);
  console.write_line("Determining the size of the table according to the screen size.");
  console.write_line("The table size parameter is defined in %");
  console.write_line("100% means that the table is the same size (width) as the screen, but it is a matter of choice.");
  console.empty_line();
  ctx.state.table_width =
      table_width_from(line_prompt(console, "size table, a number without the % sign, <enter> = 100 :"));

  if (count_txt_lines("txt_file.txt", failures) == 0) {
    return end_screen(console, {"Subfolder txt_in is empty"});
  }
  return Flow::kGoOn;
}

}  // namespace textpair
