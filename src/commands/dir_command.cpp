// dir: a listing of a folder or of the entries matching a pattern, in full
// (volume lines, one line per entry, summary lines) or bare (/b, names only).
// Hidden and system entries are listed only with /a.
#include <cstdio>

#include "commands/builtins.h"
#include "commands/file_match.h"
#include "common/bytes.h"
#include "platform/clock.h"
#include "platform/file_names.h"

namespace textpair {

namespace {

std::string with_commas(std::uint64_t n) {
  std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// "12/08/2026  03:59 PM"
std::string date_time(std::int64_t mtime) {
  LocalTime t = local_time_at(mtime);
  int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d  %02d:%02d %s", t.month, t.day, t.year, hour12, t.minute,
                t.hour < 12 ? "AM" : "PM");
  return buf;
}

std::string entry_line(const DirEntry& e) {
  std::string size = e.is_dir ? "    <DIR>         " : pad_left(with_commas(e.size), 18);
  return date_time(e.mtime) + size + " " + e.name;
}

void volume_lines(Output& out) {
  out.line(" Volume in drive C has no label.");
  out.line(" Volume Serial Number is 0000-0000");
  out.line("");
}

void list_full(CommandIo& io, const FileArgument& arg, bool all) {
  std::string folder = native_folder(arg);
  volume_lines(io.out);
  if (!is_directory(folder)) {
    complain(io.console, "The system cannot find the path specified.");
    return;
  }
  std::vector<DirEntry> entries = matching_entries(arg, true, io.failures, all);
  // A folder other than the root holds "." and "..", which patterns such as
  // "*." and "*" match.
  std::string here = folder.empty() ? "." : folder;
  if (arg.wildcard && !is_root_folder(here)) {
    DirEntry dot, dotdot;
    std::vector<DirEntry> dots;
    if (wildcard_match(arg.pattern, ".") && entry_info(here, dot)) {
      dot.name = ".";
      dots.push_back(dot);
    }
    if (wildcard_match(arg.pattern, "..") && entry_info(join_path(here, ".."), dotdot)) {
      dotdot.name = "..";
      dots.push_back(dotdot);
    }
    entries.insert(entries.begin(), dots.begin(), dots.end());
  }
  io.out.line(" Directory of " + shown_path(folder));
  io.out.line("");
  if (entries.empty()) {
    complain(io.console, "File Not Found");
    return;
  }
  std::uint64_t files = 0, dirs = 0, bytes = 0;
  for (const DirEntry& e : entries) {
    io.out.line(entry_line(e));
    if (e.is_dir) {
      ++dirs;
    } else {
      ++files;
      bytes += e.size;
    }
  }
  io.out.line(pad_left(std::to_string(files), 16) + " File(s) " + pad_left(with_commas(bytes), 14) + " bytes");
  io.out.line(pad_left(std::to_string(dirs), 16) + " Dir(s) " + pad_left(with_commas(free_bytes(here)), 15) +
              " bytes free");
}

void list_bare(CommandIo& io, const FileArgument& arg, bool all) {
  if (!is_directory(native_folder(arg))) {
    complain(io.console, "The system cannot find the path specified.");
    return;
  }
  std::vector<DirEntry> entries = matching_entries(arg, true, io.failures, all);
  if (entries.empty()) complain(io.console, "File Not Found");
  for (const DirEntry& e : entries) io.out.line(e.name);
}

}  // namespace

void dir_command(CommandIo& io, const Args& args) {
  bool bare = false;
  bool all = false;
  std::vector<std::string> targets;
  for (const Word& w : args) {
    if (!is_switch(w)) {
      targets.push_back(w.text);
    } else if (lower_ascii(w.text) == "/b") {
      bare = true;
    } else if (lower_ascii(w.text) == "/a") {
      all = true;
    } else {
      complain(io.console, "Invalid switch - \"" + w.text.substr(1) + "\".");
      return;
    }
  }
  if (targets.empty()) targets.push_back("*");
  for (const std::string& target : targets) {
    FileArgument arg = read_file_argument(target);
    if (bare) {
      list_bare(io, arg, all);
    } else {
      list_full(io, arg, all);
    }
  }
}

}  // namespace textpair
