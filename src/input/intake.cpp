#include "input/intake.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "commands/output.h"
#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "common/names.h"
#include "platform/console.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "prompts/prompts.h"
#include "steps/folders.h"

namespace textpair {

namespace {

// The originals of files taken in under a new name wait here until their
// copies stand in compare_in; the journal names them with their new names,
// and the copy for compare_in is made here first, under the scratch name.
// Neither name holds ".txt" or ".htm", so no input file can take it.
constexpr const char* kHoldFolder = ".compare_in_hold";
constexpr const char* kJournal = "~journal";
constexpr const char* kScratch = "~intake.tmp";

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

// What intake does with each listed file; a file that is no input is left
// out and stays in compare_in as it is.
std::vector<Planned> plan_intake(const std::vector<std::string>& listed, const std::string& compare_in) {
  std::set<std::string> listed_lower;
  for (const std::string& name : listed) listed_lower.insert(lower_ascii(name));
  std::set<std::string> seen;
  std::set<std::string> assigned;
  std::vector<Planned> plan;
  for (const std::string& name : listed) {
    if (is_directory(join_path(compare_in, name))) continue;
    // On Windows such a name opens a device or reaches another file.
    if (is_reserved_windows_name(name)) {
      plan.push_back({name, "", "Skipped, the file name cannot be used; the file stays in compare_in: " + name});
      continue;
    }
    // A FIFO or a device is no input: reading it could wait forever.
    if (!is_regular_file(join_path(compare_in, name))) {
      plan.push_back({name, "", "Skipped, not a regular file; the file stays in compare_in: " + name});
      continue;
    }
    std::string lower = lower_ascii(name);
    bool repeated = !seen.insert(lower).second;
    std::optional<std::string> intake = intake_name_of(name);
    if (!intake) continue;
    if (repeated || !fits_quoted(name) || !fits_bare(*intake)) {
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
      for (int k = 2; in_use(chosen); ++k)
        chosen = clean_file_name(trimmed, ext, std::string("_").append(std::to_string(k)));
    }
    assigned.insert(lower_ascii(chosen));
    std::string note;
    if (chosen != *intake) note = "The name " + *intake + " is in use; " + name + " is taken in as " + chosen;
    plan.push_back({name, chosen, note});
  }
  return plan;
}

// The bytes of two files are the same; false also when either cannot be read.
bool same_content(const std::string& a, const std::string& b) {
  DirEntry ea, eb;
  if (!entry_info(a, ea) || !entry_info(b, eb) || ea.is_dir || eb.is_dir || ea.size != eb.size) return false;
  File fa(a, File::Mode::kRead), fb(b, File::Mode::kRead);
  std::string ba(1 << 16, '\0'), bb(1 << 16, '\0');
  for (;;) {
    std::size_t na = fa.read(ba.data(), ba.size());
    std::size_t nb = fb.read(bb.data(), bb.size());
    if (na != nb || fa.failed() || fb.failed()) return false;
    if (na == 0) return true;
    if (std::memcmp(ba.data(), bb.data(), na) != 0) return false;
  }
}

// The journal's lines: "listed name <TAB> intake name" for each file whose
// original was moved into the hold folder; only whole lines count.
std::map<std::string, std::string> read_journal(const std::string& path) {
  std::map<std::string, std::string> moved;
  std::string bytes;
  if (!read_whole_file(path, bytes)) return moved;
  for (std::size_t at = 0, nl; (nl = bytes.find('\n', at)) != std::string::npos; at = nl + 1) {
    std::string_view line(bytes.data() + at, nl - at);
    std::size_t tab = line.find('\t');
    if (tab != std::string_view::npos) moved[std::string(line.substr(0, tab))] = std::string(line.substr(tab + 1));
  }
  return moved;
}

// Moves each original of the hold folder back into compare_in. A copy that
// intake had already put into compare_in under the file's intake name goes
// first, so compare_in is as it was before that run. A file whose name
// compare_in holds again stays in the hold folder rather than overwrite it.
void release_held(const std::string& compare_in, IoFailures& failures) {
  if (!is_directory(kHoldFolder) || !is_directory(compare_in)) return;
  const std::string journal = join_path(kHoldFolder, kJournal);
  std::map<std::string, std::string> moved = read_journal(journal);
  std::vector<DirEntry> held;
  if (IoResult listed = list_dir(kHoldFolder, held); !listed) return failures.note_read(listed);
  bool all_back = true;
  for (const DirEntry& e : held) {
    const std::string from = join_path(kHoldFolder, e.name);
    if (e.name == kJournal) continue;
    if (e.name == kScratch) {
      failures.note(remove_file(from));
      continue;
    }
    if (auto m = moved.find(e.name); m != moved.end()) {
      const std::string made = join_path(compare_in, m->second);
      if (path_exists(made) && same_content(made, from)) failures.note(remove_file(made));
    }
    const std::string back = join_path(compare_in, e.name);
    if (path_exists(back)) {
      all_back = false;
    } else if (IoResult returned = rename_path(from, back); !returned) {
      failures.note(returned);
      all_back = false;
    }
  }
  if (!all_back) return;
  if (path_exists(journal)) failures.note(remove_file(journal));
  failures.note(remove_directory(kHoldFolder));
}

// Takes one file in under a new name. The original moves into the hold
// folder (one rename, noted in the journal first), the copies are made from
// there, and the original goes only once its copy stands complete in
// compare_in: at every moment the file is in compare_in or in the hold
// folder, whatever ends the run.
IoResult take_in_renamed(const std::string& compare_in, const Planned& p) {
  if (!is_directory(kHoldFolder)) {
    if (IoResult made = make_directory(kHoldFolder); !made) return made;
    hide_path(kHoldFolder);
  }
  {
    File journal(join_path(kHoldFolder, kJournal), File::Mode::kAppend);
    static_cast<void>(journal.write(p.listed + "\t" + p.intake + "\n"));
    if (IoResult noted = journal.close(); !noted) return noted;
  }
  const std::string held = join_path(kHoldFolder, p.listed);
  const std::string scratch = join_path(kHoldFolder, kScratch);
  IoResult r = rename_path(join_path(compare_in, p.listed), held);
  if (r) r = copy_file(held, native_path(p.listed));
  if (r) r = copy_file(held, native_path(p.intake));
  if (r) r = copy_file(held, scratch);
  if (r) r = rename_path(scratch, join_path(compare_in, p.intake));
  if (r) r = remove_file(held);
  return r;
}

// Takes every file out of compare_in and puts the input files back under
// their intake names: the work folder gets a copy of each under its listed
// name and, where that differs, one under its intake name. Returns the
// names of the input files left as they were.
std::set<std::string> take_files_out(Console& console, IoFailures& failures) {
  std::string compare_in = native_path("compare_in");
  release_held(compare_in, failures);
  run_command(console, failures, "dir /b compare_in\\ > compare_in.list");
  std::vector<std::string> listed = read_all_lines("compare_in.list", failures);
  std::vector<Planned> plan = plan_intake(listed, compare_in);
  // With no input to take, the interpreter's copy and delete of the whole
  // folder would find nothing, and say so.
  if (std::none_of(plan.begin(), plan.end(), [](const Planned& p) { return !p.intake.empty(); })) {
    complain(console, "The system cannot find the file specified.");
    complain(console, "Could Not Find " + shown_path(native_path("compare_in\\*.*")));
  }
  std::set<std::string> skipped;
  for (const Planned& p : plan) {
    if (failures.any()) break;
    if (!p.note.empty()) console.write_line(p.note);
    if (p.intake.empty()) {
      skipped.insert(trim_blanks(p.listed));
    } else if (p.intake != p.listed) {
      console.empty_line();
      failures.note(take_in_renamed(compare_in, p));
      console.empty_line();
    } else {
      failures.note(copy_file(join_path(compare_in, p.listed), native_path(p.listed)));
    }
  }
  // After a failure what was set aside goes back at once (or at the next
  // start, should that fail too).
  IoFailures returned;
  release_held(compare_in, failures.any() ? returned : failures);
  console.empty_line();
  return skipped;
}

Flow prepare_working_folders(Console& console, IoFailures& failures) {
  // The working folders are emptied without a listing written into them.
  reset_folder(console, failures, {.folder = "txt_wrk", .listing = "dir_cur.txt", .list_into_first = false});
  reset_folder(console, failures, {.folder = "htm_wrk", .listing = "dir_cur.txt", .list_into_first = false});
  run_command(console, failures, "dir /b *. > dir_cur.txt");
  if (listing_holds_folder("dir_cur.txt", "txt_wrk", failures)) return Flow::kGoOn;
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
  char key = key_prompt(
      console, {"<1> = stop and rename file: " + base, "<2> = continue and *.txt file will be recreate from *.htm"},
      "12");
  return key == '2' ? Flow::kGoOn : Flow::kEnd;
}

// Names are compared without regard to case: a.htm would replace A.txt.
bool same_base(const std::optional<std::string>& a, const std::string& b) {
  return a && lower_ascii(*a) == lower_ascii(b);
}

// Rewrites compare_02.txt without the names of `base`.
void drop_base(Console& console, IoFailures& failures, LineReader& second, const std::string& base) {
  LineWriter kept;
  kept.create("compare_04.txt");
  second.rewind();
  std::string line;
  while (second.next(line)) {
    std::string name = trim_blanks(line);
    if (!same_base(clash_base(name), base)) kept.line(name);
  }
  failures.note(kept.close());
  second.close();
  run_command(console, failures, "copy compare_04.txt compare_02.txt > out_null.list");
  second.open("compare_02.txt");
}

// Files left untouched in compare_in take no part.
Flow check_name_clashes(Console& console, IoFailures& failures, const std::set<std::string>& skipped) {
  console.empty_line();
  console.write_line(kDashes);
  console.write_line("Reformatting *.htm files to *.txt");
  run_command(console, failures, "dir /b compare_in\\*.* > compare_01.txt");
  run_command(console, failures, "dir /b compare_in\\*.* > compare_02.txt");
  LineReader first("compare_01.txt", failures);
  LineReader second("compare_02.txt", failures);
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
        drop_base(console, failures, second, *base);
      }
    }
  }
  return Flow::kGoOn;
}

void convert_htm_files(Console& console, IoFailures& failures, const std::set<std::string>& skipped) {
  run_command(console, failures, "dir /b compare_in\\*.htm > rename_01.txt");
  LineReader listing("rename_01.txt", failures);
  std::string line;
  while (listing.next(line)) {
    std::string name = trim_blanks(line);
    std::size_t pos = find_lower(name, ".htm");
    if (pos == std::string::npos || skipped.count(name) > 0) continue;
    std::string text_name = name.substr(0, pos) + ".txt";
    failures.note(htm_to_text(name, text_name));
    run_command(console, failures, "copy " + text_name + " compare_in\\" + text_name);
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

IoResult htm_to_text(const std::string& htm_name, const std::string& txt_name) {
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
  IoResult written = out.close();
  return in.status().ok() ? written : in.status();
}

void put_back_held_files(Context& ctx) { release_held(native_path("compare_in"), ctx.state.failures); }

Flow take_in_inputs(Context& ctx) {
  Console& console = ctx.console;
  IoFailures& failures = ctx.state.failures;
  std::set<std::string> skipped = take_files_out(console, failures);
  if (failures.any()) return Flow::kEnd;
  if (prepare_working_folders(console, failures) == Flow::kEnd) return Flow::kEnd;
  if (check_name_clashes(console, failures, skipped) == Flow::kEnd) return Flow::kEnd;
  convert_htm_files(console, failures, skipped);
  return Flow::kGoOn;
}

void set_up_folders(Context& ctx) {
  Console& console = ctx.console;
  IoFailures& failures = ctx.state.failures;
  run_command(console, failures, "dir > htm_out\\f_01.txt");
  run_command(console, failures, "del /q htm_out\\*.*");
  console.empty_line();
  for (const char* folder : {"htm_in", "htm_out", "htm_wrk", "txt_in", "txt_wrk"}) {
    run_command(console, failures, std::string("md ") + folder + " > out_null.list");
  }
}

}  // namespace textpair
