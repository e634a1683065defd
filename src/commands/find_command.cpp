// find and findstr: the lines of files (or of a pipe) that contain a literal
// text, optionally without regard to ASCII case. find heads each file's
// lines with an empty line and "---------- NAME" (or gives counts with /c);
// findstr writes the matching lines only.
#include <functional>

#include "commands/builtins.h"
#include "commands/file_match.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "platform/file_names.h"

namespace textpair {

namespace {

struct Search {
  std::string text;
  bool ignore_case = false;
  bool invert = false;
  bool matches(std::string_view line) const {
    bool hit = !text.empty() && (ignore_case ? contains_nocase(line, text) : contains(line, text));
    return hit != invert;
  }
};

// Reads the switches (/i, /v and, for find, /c), the text and the file
// names; false when the line does not fit. find wants its text quoted.
bool read_search(const Args& args, bool is_find, Search& search, bool& count, std::vector<std::string>& names) {
  bool have_text = false;
  for (const Word& w : args) {
    std::string s = lower_ascii(w.text);
    if (!is_switch(w)) {
      if (have_text) {
        names.push_back(w.text);
        continue;
      }
      if (is_find && !w.quoted) return false;
      search.text = w.text;
      have_text = true;
    } else if (s == "/i") {
      search.ignore_case = true;
    } else if (s == "/v") {
      search.invert = true;
    } else if (s == "/c" && is_find) {
      count = true;
    } else {
      return false;
    }
  }
  return have_text;
}

// The files the names stand for, as "name as written" (folder as written,
// the matched name for a pattern) and native path.
struct Source {
  std::string shown;
  std::string native;
  bool found = false;
};

std::vector<Source> sources_of(const std::vector<std::string>& names, IoFailures& failures) {
  std::vector<Source> out;
  for (const std::string& name : names) {
    FileArgument arg = read_file_argument(name);
    if (!arg.wildcard) {
      std::string native = native_path(name);
      out.push_back({name, native, is_regular_file(native)});
      continue;
    }
    // find reads hidden files too; only the listing commands pass over them.
    std::vector<DirEntry> found = matching_entries(arg, false, failures, true);
    if (found.empty()) out.push_back({name, "", false});
    std::string folder = native_folder(arg);
    for (const DirEntry& e : found) {
      out.push_back({join_name(arg.folder, e.name), join_path(folder, e.name), true});
    }
  }
  return out;
}

// Calls `take` with every line of the file; false when it cannot be opened.
// A file that is there but cannot be opened or read to its end is noted in
// `failures`: its matches would be incomplete.
bool each_line(const std::string& native, IoFailures& failures, const std::function<void(const std::string&)>& take) {
  LineReader reader;
  if (!reader.open(native)) {
    if (is_regular_file(native)) failures.note_read(reader.status());
    return false;
  }
  reader.report_to(failures);
  std::string line;
  while (reader.next(line)) take(line);
  return true;
}

}  // namespace

void find_command(CommandIo& io, const Args& args) {
  Search search;
  bool count = false;
  std::vector<std::string> names;
  if (!read_search(args, true, search, count, names)) {
    complain(io.console, "FIND: Parameter format not correct");
    return;
  }
  if (names.empty()) {
    // Piped input: the lines, or the count alone.
    long long n = 0;
    if (io.input != nullptr) {
      for (const std::string& line : *io.input) {
        if (!search.matches(line)) continue;
        ++n;
        if (!count) io.out.line(line);
      }
    }
    if (count) io.out.line(std::to_string(n));
    return;
  }
  for (const Source& s : sources_of(names, io.failures)) {
    std::string head = "---------- " + upper_ascii(s.shown);
    if (!s.found) {
      complain(io.console, "File not found - " + upper_ascii(s.shown));
      continue;
    }
    long long n = 0;
    if (!count) {
      io.out.line("");
      io.out.line(head);
    }
    bool read = each_line(s.native, io.failures, [&](const std::string& line) {
      if (!search.matches(line)) return;
      ++n;
      if (!count) io.out.line(line);
    });
    if (!read) {
      complain(io.console, "File not found - " + upper_ascii(s.shown));
    } else if (count) {
      io.out.line("");
      io.out.line(head + ": " + std::to_string(n));
    }
  }
}

void findstr_command(CommandIo& io, const Args& args) {
  Search search;
  bool count = false;
  std::vector<std::string> names;
  if (!read_search(args, false, search, count, names)) {
    complain(io.console, "FINDSTR: Bad command line");
    return;
  }
  if (names.empty()) {
    if (io.input != nullptr) {
      for (const std::string& line : *io.input) {
        if (search.matches(line)) io.out.line(line);
      }
    }
    return;
  }
  std::vector<Source> sources = sources_of(names, io.failures);
  bool prefix = sources.size() > 1;
  for (const Source& s : sources) {
    bool read = s.found && each_line(s.native, io.failures, [&](const std::string& line) {
                  if (search.matches(line)) io.out.line(prefix ? s.shown + ":" + line : line);
                });
    if (!read) complain(io.console, "FINDSTR: Cannot open " + s.shown);
  }
}

}  // namespace textpair
