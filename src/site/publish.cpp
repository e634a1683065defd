#include "site/publish.h"

#include <string>

#include "commands/file_match.h"
#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "prompts/prompts.h"
#include "steps/folders.h"

namespace textpair {

namespace {

// The work folder's pages are deleted once they are in htm_out, so they are
// moved there rather than copied. False when the system cannot move the
// file (htm_out on another file system); the caller copies it then.
bool move_to_site(const std::string& name) {
  return rename_path(native_path(name), join_path(native_path("htm_out"), name)).ok();
}

void copy_site(Console& console, IoFailures& failures) {
  reset_folder(console, failures, {.folder = "htm_out", .listing = "dir_01.txt"});

  LineReader pages("dir_02.txt", failures);
  std::string line;
  while (pages.next(line)) {
    const std::string name = trim_blanks(lower_ascii(line));
    if (!contains(name, ".htm")) continue;
    if (!move_to_site(name)) run_command(console, failures, "copy " + name + " htm_out\\ > out_null.list");
  }
  pages.close();
  run_command(console, failures, "copy htm_wrk\\compare.htm htm_out\\compare.htm > out_null.list");
  for (const char* pattern : {"files_list.htm", "i_*.htm", "index.htm", "s_*.htm"}) {
    bool all_moved = true;
    std::vector<DirEntry> entries;
    if (IoResult listed = list_dir("", entries); !listed) return failures.note_read(listed);
    for (const DirEntry& e : entries) {
      if (!e.is_dir && wildcard_match(pattern, lower_ascii(e.name)) && !move_to_site(e.name)) all_moved = false;
    }
    if (!all_moved) run_command(console, failures, std::string("copy ") + pattern + " htm_out\\ > out_null.list");
  }
}

// The site stands whole in htm_out by now: a scratch file that cannot be
// deleted (the interpreter says so on the console) stays for the next run's
// clean-up and does not take the results screen away.
void clean_up(Console& console) {
  IoFailures left;
  // The site's pages were moved into htm_out; what is left is deleted. With
  // nothing left the command is not run, as it would only say so.
  if (!matching_entries(read_file_argument("*.htm*"), false, left).empty()) {
    run_command(console, left, "del /q *.htm*");
  }
  run_command(console, left, "del /q *.list");
  run_command(console, left, "dir /b *.txt > dir_01.txt");
  // The listing is read whole first: it names itself, and an open file
  // cannot be deleted on Windows.
  for (const std::string& line : read_all_lines("dir_01.txt", left)) {
    ignore_result(remove_file(native_path(lower_ascii(line))));
  }
}

}  // namespace

Flow publish_and_show_results(Context& ctx) {
  Console& console = ctx.console;
  IoFailures& failures = ctx.state.failures;
  progress(console, 90);
  copy_site(console, failures);
  if (failures.any()) {
    // The scratch files stay: the pages not yet moved are among them, and
    // the next run makes the whole site again from the inputs.
    console.write_line(kDashes);
    console.write_line("The site could not be written completely to htm_out.");
    console.write_line(failures.first().describe());
    console.write_line("Check the free space on the disk, then start the program again:");
    console.write_line("htm_out holds only part of the site, the other pages are still in the work folder.");
    console.empty_line();
    any_key_prompt(console, "<...> any key to continue and end");
    return Flow::kEnd;
  }
  clean_up(console);
  progress(console, 100);
  console.empty_line();
  console.write_line("============ RESULTS ===========");
  console.empty_line();
  console.write_line("words in *.html files = " + format_signed(ctx.state.word_total));
  console.empty_line();
  console.write_line("view subfolder: htm_out");
  console.write_line("unindexed file: compare.htm");
  console.empty_line();
  console.write_line("indexed files: page*.htm, index*.htm, i_*.htm, s_*.htm");
  console.write_line("You can access the index of all words by double-clicking on any word.");
  console.write_line(std::string("details: ") + kPublisherHost);
  console.empty_line();
  any_key_prompt(console, "<...> any key to continue and end");
  return Flow::kEnd;
}

}  // namespace textpair
