#include "input/intake.h"

#include <set>
#include <vector>

#include "commands/run_command.h"
#include "common/bytes.h"
#include "steps/folders.h"
#include "common/lines.h"
#include "common/names.h"
#include "prompts/prompts.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

// Files that stay in compare_in wait here while the folder is emptied.
constexpr const char* kHoldFolder = ".compare_in_hold";

std::size_t find_lower(std::string_view hay, std::string_view lower_needle) {
  return lower_ascii(hay).find(lower_needle);
}

// A name the command line carries between double quotes.
bool fits_quoted(std::string_view name) {
  for (unsigned char c : name) {
    if (c < 32 || c == '"' || c == '*' || c == '?' || c == '\\') return false;
  }
  return !name.empty();
}

// A name the command line carries as it is, without quotes.
bool fits_bare(std::string_view name) {
  static constexpr std::string_view kSpecial = "\"*?\\&|<>^%,;=";
  for (unsigned char c : name) {
    if (c <= 32 || kSpecial.find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  return !name.empty();
}

// One listed file of compare_in and what intake does with it.
struct Planned {
  std::string listed;
  std::string intake;  // empty: the file stays in compare_in as it is
  std::string note;    // said on the console before the file is taken in
};

// Moves back what waits in the hold folder; a file whose name compare_in
// holds again stays in the hold folder rather than overwrite it.
void release_held(const std::string& compare_in) {
  if (!is_directory(kHoldFolder)) return;
  for (const DirEntry& e : list_dir(kHoldFolder)) {
    std::string back = join_path(compare_in, e.name);
    if (!path_exists(back)) rename_path(join_path(kHoldFolder, e.name), back);
  }
  remove_directory(kHoldFolder);
}

// Sets the given files of compare_in aside; false when one could not be.
bool hold(const std::string& compare_in, const std::vector<std::string>& names) {
  if (names.empty()) return true;
  if (make_directory(kHoldFolder)) hide_path(kHoldFolder);
  bool all = true;
  for (const std::string& name : names) {
    if (!rename_path(join_path(compare_in, name), join_path(kHoldFolder, name))) all = false;
  }
  return all;
}

std::vector<Planned> plan_intake(const std::vector<std::string>& listed, const std::string& compare_in,
                                 std::vector<std::string>& staying) {
  std::set<std::string> listed_lower;
  for (const std::string& name : listed) listed_lower.insert(lower_ascii(name));
  std::set<std::string> seen;
  std::set<std::string> assigned;
  std::vector<Planned> plan;
  for (const std::string& name : listed) {
    if (is_directory(join_path(compare_in, name))) continue;
    // On Windows such a name opens a device or reaches another file.
    if (is_reserved_windows_name(name)) {
      staying.push_back(name);
      plan.push_back({name, "", "Skipped, the file name cannot be used; the file stays in compare_in: " + name});
      continue;
    }
    // A FIFO or a device is no input: reading it could wait forever.
    if (!is_regular_file(join_path(compare_in, name))) {
      staying.push_back(name);
      plan.push_back({name, "", "Skipped, not a regular file; the file stays in compare_in: " + name});
      continue;
    }
    std::string lower = lower_ascii(name);
    bool repeated = !seen.insert(lower).second;
    std::optional<std::string> intake = intake_name_of(name);
    if (!intake) {
      staying.push_back(name);
      continue;
    }
    if (repeated || !fits_quoted(name) || !fits_bare(*intake)) {
      staying.push_back(name);
      plan.push_back({name, "", "Skipped, the file name cannot be used; the file stays in compare_in: " + name});
      continue;
    }
    // A name is in use when an earlier file was given it, or when another
    // listed file has it (its copy in the work folder must stay intact).
    auto in_use = [&](const std::string& candidate) {
      std::string c = lower_ascii(candidate);
      return assigned.count(c) > 0 || (listed_lower.count(c) > 0 && c != lower);
    };
    std::string chosen = *intake;
    if (in_use(chosen)) {
      std::string trimmed = trim_blanks(name);
      std::size_t ext = *extension_position(trimmed);
      for (int k = 2; in_use(chosen); ++k) chosen = clean_file_name(trimmed, ext, std::string("_").append(std::to_string(k)));
    }
    assigned.insert(lower_ascii(chosen));
    std::string note;
    if (chosen != *intake) note = "The name " + *intake + " is in use; " + name + " is taken in as " + chosen;
    plan.push_back({name, chosen, note});
  }
  return plan;
}

// Takes every file out of compare_in and puts the input files back under
// their intake names. Returns the names of the input files left as they were.
std::set<std::string> take_files_out(Console& console, WriteFailures& writes) {
  std::string compare_in = native_path("compare_in");
  release_held(compare_in);
  run_command(console, writes, "dir /b compare_in\\ > compare_in.list");
  // Read before the copy: a file of that name in compare_in would replace it.
  std::vector<std::string> listed = read_all_lines("compare_in.list");
  std::vector<std::string> staying;
  std::vector<Planned> plan = plan_intake(listed, compare_in, staying);
  // The files that stay are set aside before the copy too: a name that
  // differs from another only in case would overwrite that one's copy.
  std::set<std::string> skipped;
  if (!hold(compare_in, staying)) {
    // compare_in is left as it is, and nothing in it is converted.
    release_held(compare_in);
    for (const std::string& name : listed) skipped.insert(trim_blanks(name));
    console.empty_line();
    return skipped;
  }
  run_command(console, writes, "copy /y compare_in\\*.* > out_null.list");
  run_command(console, writes, "del /q compare_in\\*.* > out_null.list");

  for (const Planned& p : plan) {
    if (!p.note.empty()) console.write_line(p.note);
    if (p.intake.empty()) {
      skipped.insert(trim_blanks(p.listed));
    } else if (p.intake != p.listed) {
      console.empty_line();
      run_command(console, writes, "copy \"" + p.listed + "\" " + p.intake + " > out_null.list");
      console.empty_line();
      run_command(console, writes, "copy " + p.intake + " compare_in\\" + p.intake + " > out_null.list");
    } else {
      run_command(console, writes, "copy " + p.listed + " compare_in\\" + p.listed + " > out_null.list");
    }
  }
  // Only now: a copy to a name that differs only in case would land on them.
  release_held(compare_in);
  console.empty_line();
  return skipped;
}

Flow prepare_working_folders(Console& console, WriteFailures& writes) {
  // The working folders are emptied without a listing written into them.
  reset_folder(console, writes, {.folder = "txt_wrk", .listing = "dir_cur.txt", .list_into_first = false});
  reset_folder(console, writes, {.folder = "htm_wrk", .listing = "dir_cur.txt", .list_into_first = false});
  run_command(console, writes, "dir /b *. > dir_cur.txt");
  if (listing_holds_folder("dir_cur.txt", "txt_wrk")) return Flow::kGoOn;
  console.write_line(kDashes);
  console.write_line("Subfolder txt_wrk must be created.");
  console.empty_line();
  any_key_prompt(console, "<...> any key to continue and end");
  return Flow::kEnd;
}

Flow ask_about_clash(Console& console, const std::string& base) {
  console.empty_line();
  console.write_line(kDashes);
  console.write_line("Compare file names *.htm and *.txt");
  console.empty_line();
  console.write_line(base);
  console.empty_line();
  console.write_line("File has the same name and two extensions, *.htm, *.txt");
  console.empty_line();
  char key = key_prompt(console,
                        {"<1> = stop and rename file: " + base,
                         "<2> = continue and *.txt file will be recreate from *.htm"},
                        "12");
  return key == '2' ? Flow::kGoOn : Flow::kEnd;
}

// Names are compared without regard to case: a.htm would replace A.txt.
bool same_base(const std::optional<std::string>& a, const std::string& b) {
  return a && lower_ascii(*a) == lower_ascii(b);
}

// Rewrites compare_02.txt without the names of `base`.
void drop_base(Console& console, WriteFailures& writes, LineReader& second, const std::string& base) {
  LineWriter kept;
  kept.create("compare_04.txt");
  second.rewind();
  std::string line;
  while (second.next(line)) {
    std::string name = trim_blanks(line);
    if (!same_base(clash_base(name), base)) kept.line(name);
  }
  writes.note(kept.close());
  second.close();
  run_command(console, writes, "copy compare_04.txt compare_02.txt > out_null.list");
  second.open("compare_02.txt");
}

// Files left untouched in compare_in take no part.
Flow check_name_clashes(Console& console, WriteFailures& writes, const std::set<std::string>& skipped) {
  console.empty_line();
  console.write_line(kDashes);
  console.write_line("Reformatting *.htm files to *.txt");
  run_command(console, writes, "dir /b compare_in\\*.* > compare_01.txt");
  run_command(console, writes, "dir /b compare_in\\*.* > compare_02.txt");
  LineReader first("compare_01.txt");
  LineReader second("compare_02.txt");
  std::string line;
  std::string other;
  while (first.next(line)) {
    std::string name = trim_blanks(line);
    std::optional<std::string> base = clash_base(name);
    if (!base || skipped.count(name) > 0) continue;
    int count = 0;
    second.rewind();
    while (second.next(other)) {
      std::string other_name = trim_blanks(other);
      if (skipped.count(other_name) > 0 || !same_base(clash_base(other_name), *base)) continue;
      if (++count > 1) {
        if (ask_about_clash(console, *base) == Flow::kEnd) return Flow::kEnd;
        drop_base(console, writes, second, *base);
      }
    }
  }
  return Flow::kGoOn;
}

void convert_htm_files(Console& console, WriteFailures& writes, const std::set<std::string>& skipped) {
  run_command(console, writes, "dir /b compare_in\\*.htm > rename_01.txt");
  LineReader listing("rename_01.txt");
  std::string line;
  while (listing.next(line)) {
    std::string name = trim_blanks(line);
    std::size_t pos = find_lower(name, ".htm");
    if (pos == std::string::npos || skipped.count(name) > 0) continue;
    std::string text_name = name.substr(0, pos) + ".txt";
    writes.note(htm_to_text(name, text_name));
    run_command(console, writes, "copy " + text_name + " compare_in\\" + text_name);
  }
}

}  // namespace

std::optional<std::size_t> extension_position(std::string_view name) {
  std::size_t pos = find_lower(name, ".txt");
  if (pos == std::string::npos) pos = find_lower(name, ".htm");
  if (pos == std::string::npos) return std::nullopt;
  return pos;
}

std::optional<std::string> intake_name_of(std::string_view name) {
  std::string trimmed = trim_blanks(name);
  std::optional<std::size_t> ext = extension_position(trimmed);
  if (!ext) return std::nullopt;
  return clean_file_name(trimmed, *ext);
}

std::optional<std::string> clash_base(std::string_view name) {
  std::size_t pos = find_lower(name, ".htm");
  if (pos == std::string::npos) pos = find_lower(name, ".txt");
  if (pos == std::string::npos) return std::nullopt;
  return std::string(name.substr(0, pos));
}

Written htm_to_text(const std::string& htm_name, const std::string& txt_name) {
  LineWriter out;
  out.create(txt_name);
  LineReader in(htm_name);
  bool in_body = false;
  std::string line;
  while (in.next(line)) {
    std::string text = trim_blanks(line);
    std::string lower = lower_ascii(text);
    if (!in_body) {
      in_body = lower == "<body>";
      continue;
    }
    if (lower == "</body>") break;
    if (lower == "<pre>" || lower == "</pre>") continue;
    out.line(text);
  }
  return out.close();
}

Flow take_in_inputs(Context& ctx) {
  Console& console = ctx.console;
  WriteFailures& writes = ctx.state.writes;
  std::set<std::string> skipped = take_files_out(console, writes);
  if (prepare_working_folders(console, writes) == Flow::kEnd) return Flow::kEnd;
  if (check_name_clashes(console, writes, skipped) == Flow::kEnd) return Flow::kEnd;
  convert_htm_files(console, writes, skipped);
  return Flow::kGoOn;
}

void set_up_folders(Context& ctx) {
  Console& console = ctx.console;
  WriteFailures& writes = ctx.state.writes;
  run_command(console, writes, "dir > htm_out\\f_01.txt");
  run_command(console, writes, "del /q htm_out\\*.*");
  console.empty_line();
  for (const char* folder : {"htm_in", "htm_out", "htm_wrk", "txt_in", "txt_wrk"}) {
    run_command(console, writes, std::string("md ") + folder + " > out_null.list");
  }
}

}  // namespace textpair
