#include "input/working_copies.h"

#include <algorithm>

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "common/names.h"
#include "common/number_pattern.h"
#include "common/text_encoding.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "prompts/prompts.h"
#include "steps/folders.h"

namespace textpair {

namespace {

void empty_if_present(Console& console, IoFailures& failures, const std::string& folder) {
  reset_folder(console, failures, {.folder = folder, .listing = "dir_01.txt", .make_when_missing = false});
}

std::string ask_for_search_site(Console& console) {
  console.empty_line();
  console.write_line(kDashes);
  console.empty_line();
  console.write_line("The program enables targeted search.");
  console.write_line("Google search phrases will be targeted to a specific web address.");
  console.write_line("If the destination web address is not specified, Google search will run all over the web.");
  console.empty_line();
  std::string site =
      search_site_from(line_prompt(console, "web address for destination search (example: www.example.com) ="));
  console.empty_line();
  return site;
}

// The copies are UTF-8 without a byte-order mark, whatever Notepad saved:
// a copy of a text with a mark is written anew from its file in txt_in.
// Returns the names of the copies turned from UTF-16, in listing order.
std::vector<std::string> make_copies(Console& console, IoFailures& failures) {
  empty_folder(console, failures, "txt_wrk");
  run_command(console, failures, "copy /y TXT_IN\\*.txt txt_wrk\\ > out_null.list");
  std::string txt_in = native_path("txt_in");
  std::string txt_wrk = native_path("txt_wrk");
  std::vector<std::string> names;
  std::vector<DirEntry> entries;
  failures.note_read(list_dir(txt_wrk, entries));
  for (const DirEntry& e : entries) {
    if (!e.is_dir && wildcard_match("*.txt", e.name)) names.push_back(e.name);
  }
  std::ranges::sort(names, [](const std::string& a, const std::string& b) { return ntfs_compare(a, b) < 0; });
  std::vector<std::string> from_utf16;
  for (const std::string& name : names) {
    std::string source = join_path(txt_in, name);
    TextEncoding encoding = encoding_of_file(source);
    if (encoding == TextEncoding::kPlain) continue;
    failures.note(write_as_utf8(source, encoding, join_path(txt_wrk, name)));
    if (encoding != TextEncoding::kUtf8WithMark) from_utf16.push_back(name);
  }
  return from_utf16;
}

// Every pair of working copies with the same content is shown; "2" ends.
Flow check_duplicates(Console& console, IoFailures& failures) {
  run_command(console, failures, "dir /b txt_wrk\\*.txt > f_03.txt");
  run_command(console, failures, "dir /b txt_wrk\\*.txt > f_05.txt");
  LineReader first("f_03.txt", failures);
  LineReader second("f_05.txt", failures);
  std::string a;
  std::string b;
  for (long long i = 1; first.next(a); ++i) {
    second.rewind();
    for (long long j = 1; second.next(b); ++j) {
      if (j <= i || !same_lines("txt_wrk\\" + a, "txt_wrk\\" + b, failures)) continue;
      console.empty_line();
      console.write_line("----- duplicate files -----");
      console.write_line(a);
      console.write_line(b);
      console.empty_line();
      if (continue_prompt(console, {"<1> continue", "<2> end"}) == Flow::kEnd) return Flow::kEnd;
    }
  }
  return Flow::kGoOn;
}

// Gives every working copy a clean name; returns the number of copies.
// The copies are the ones make_copies left: the duplicate check only read
// them, so making them once more would write the same bytes again.
long long clean_names(Console& console, IoFailures& failures) {
  run_command(console, failures, "dir /b txt_wrk\\*.txt > txt_wrk.list");
  std::vector<std::string> lines = read_all_lines("txt_wrk.list", failures);
  for (const std::string& line : lines) {
    std::string old_name = trim_blanks(line);
    std::size_t ext = lower_ascii(old_name).find(".txt");
    if (ext == std::string::npos) continue;
    std::string new_name = clean_file_name(old_name, ext);
    if (new_name != old_name) run_command(console, failures, "rename \"txt_wrk\\" + old_name + "\" " + new_name);
  }
  return static_cast<long long>(lines.size());
}

}  // namespace

std::string search_site_from(std::string_view reply) {
  std::size_t i = 0;
  while (i < reply.size() && (reply[i] == ' ' || reply[i] == '\t')) ++i;
  reply.remove_prefix(i);
  if (!reply.empty() && reply[0] == '"') {
    reply.remove_prefix(1);
    return std::string(reply.substr(0, reply.find('"')));
  }
  return std::string(reply.substr(0, reply.find(',')));
}

bool same_lines(const std::string& a, const std::string& b, IoFailures& failures) {
  LineReader ra(a, failures);
  LineReader rb(b, failures);
  // Compared in pieces: both readers cut a line at the same bytes, so two
  // equal lines give equal pieces, and a long line is never held whole.
  std::string_view pa;
  std::string_view pb;
  bool ends_a = true;
  bool ends_b = true;
  for (;;) {
    bool more_a = ra.next_piece(pa, ends_a, kLinePieceBytes);
    bool more_b = rb.next_piece(pb, ends_b, kLinePieceBytes);
    if (more_a != more_b) return false;
    if (!more_a) return true;
    if (pa != pb || ends_a != ends_b) return false;
  }
}

Flow make_working_copies(Context& ctx) {
  Console& console = ctx.console;
  IoFailures& failures = ctx.state.failures;
  empty_if_present(console, failures, "htm_in");
  empty_if_present(console, failures, "htm_out");
  ctx.state.search_site = ask_for_search_site(console);

  for (const std::string& name : make_copies(console, failures)) {
    console.write_line("Converted from UTF-16 to UTF-8: " + name);
  }
  if (check_duplicates(console, failures) == Flow::kEnd) return Flow::kEnd;

  long long copies = clean_names(console, failures);
  empty_folder(console, failures, "htm_wrk");
  ctx.state.number_pattern = number_pattern_for(copies, ctx.state.number_pattern);
  run_command(console, failures, "dir /b txt_wrk\\*.txt > txt_wrk.list");
  return Flow::kGoOn;
}

}  // namespace textpair
