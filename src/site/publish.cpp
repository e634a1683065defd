#include "site/publish.h"

#include <string>

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "driver/prompts.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

bool output_folder_listed() {
  LineReader in("dir_01.txt");
  std::string line;
  while (in.next(line)) {
    if (contains(lower_ascii(line), "htm_out")) return true;
  }
  return false;
}

void copy_site(Console& console) {
  run_command(console, "dir /b *. > dir_01.txt");
  if (!output_folder_listed()) run_command(console, "md htm_out > out_null.list");
  run_command(console, "dir > htm_out\\f_01.txt > out_null.list");
  run_command(console, "del /q htm_out\\*.* > out_null.list");

  LineReader pages("dir_02.txt");
  std::string line;
  while (pages.next(line)) {
    const std::string name = trim_blanks(lower_ascii(line));
    if (!contains(name, ".htm")) continue;
    run_command(console, "copy " + name + " htm_out\\ > out_null.list");
  }
  pages.close();
  run_command(console, "copy htm_wrk\\compare.htm htm_out\\compare.htm > out_null.list");
  run_command(console, "copy files_list.htm htm_out\\ > out_null.list");
  run_command(console, "copy i_*.htm htm_out\\ > out_null.list");
  run_command(console, "copy index.htm htm_out\\ > out_null.list");
  run_command(console, "copy s_*.htm htm_out\\ > out_null.list");
}

void clean_up(Console& console) {
  run_command(console, "del /q *.htm*");
  run_command(console, "del /q *.list");
  run_command(console, "dir /b *.txt > dir_01.txt");
  LineReader in("dir_01.txt");
  std::string line;
  while (in.next(line)) remove_file(native_path(lower_ascii(line)));
}

}  // namespace

Flow publish_and_show_results(Context& ctx) {
  Console& console = ctx.console;
  progress(console, 90);
  copy_site(console);
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
