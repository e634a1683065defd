// copy: one file, a wildcard pattern or a folder's files, into a file, into a
// folder, or into the work folder when no target is given. Existing files are
// overwritten. A wildcard source into one file joins the sources, as the
// interpreter does. A target is replaced only once its new content is
// complete, so a failed copy leaves the old file (or none) behind. Hidden
// and system files are never copied, named or matched: the interpreter's
// copy has no switch for them (its /a is the text mode).
#include "commands/builtins.h"
#include "commands/file_match.h"
#include "common/bytes.h"
#include "common/scratch_file.h"
#include "platform/file_io.h"
#include "platform/file_names.h"

namespace textpair {

namespace {

constexpr const char* kCannotWrite = "The system cannot write to the specified device.";
constexpr const char* kNoPath = "The system cannot find the path specified.";
constexpr const char* kCannotRead = "The system cannot read from the specified device.";

// Writes the sources one after the other into `target`. A new target is
// written in place (and removed again when that fails); an existing one is
// replaced only by a complete scratch copy.
IoResult write_joined(const std::vector<std::string>& sources, const std::string& target) {
  if (!is_directory(parent_path(target))) return IoResult::failed(parent_path(target), "no such folder");
  if (sources.size() == 1 && !path_exists(target)) {
    IoResult copied = copy_file(sources[0], target);
    // What is left of a failed copy goes; should that fail too, the next
    // run's clean-up or copy replaces it.
    if (!copied) ignore_result(remove_file(target));
    return copied;
  }
  std::string scratch;
  unsigned number = 0;
  File made;
  if (!create_scratch_file(parent_path(target), "~copy", number, made, scratch)) return made.close();
  IoResult result = made.close();
  if (sources.size() == 1) {
    if (result) result = copy_file(sources[0], scratch);
  } else {
    for (const std::string& s : sources) {
      if (result) result = append_file(s, scratch);
    }
  }
  if (result) result = rename_path(scratch, target);
  if (!result) ignore_result(remove_file(scratch));
  return result;
}

void report(CommandIo& io, int copied) { io.out.line(pad_left(std::to_string(copied), 9) + " file(s) copied."); }

}  // namespace

void copy_command(CommandIo& io, const Args& args) {
  std::vector<std::string> names;
  if (!read_names(io, args, {"/y", "/-y", "/b", "/v"}, names)) return;
  if (names.empty() || names.size() > 2) {
    complain(io.console, kSyntaxError);
    return;
  }
  FileArgument source = read_file_argument(names[0]);
  std::vector<DirEntry> found = matching_entries(source, false, io.failures);
  if (found.empty()) {
    complain(io.console, "The system cannot find the file specified.");
    report(io, 0);
    return;
  }
  std::string source_folder = native_folder(source);
  auto source_path = [&](const DirEntry& e) { return join_path(source_folder, e.name); };
  // Only regular files are read: a FIFO or a device is passed over, unopened.
  std::vector<DirEntry> readable;
  for (const DirEntry& e : found) {
    if (is_regular_file(source_path(e))) {
      readable.push_back(e);
    } else {
      complain(io.console, kCannotRead);
    }
  }
  found.swap(readable);

  // The target: a folder (the work folder when none is given) or one file.
  std::string target = names.size() == 2 ? names[1] : "";
  FileArgument target_arg = read_file_argument(target);
  bool into_folder = target.empty() || target_arg.names_folder;
  if (!into_folder && has_wildcards(target)) {
    complain(io.console, kSyntaxError);
    report(io, 0);
    return;
  }

  int copied = 0;
  if (into_folder) {
    std::string folder = target.empty() ? "" : target_arg.folder;
    if (!is_directory(native_folder(target_arg))) {
      // Every copy of the program goes into a folder it has made: one that
      // is missing is work that could not be written.
      complain(io.console, kNoPath);
      io.failures.note(IoResult::failed(native_folder(target_arg), "no such folder"));
      report(io, 0);
      return;
    }
    for (const DirEntry& e : found) {
      // A name written without wildcards keeps the spelling it was given.
      std::string name = source.wildcard ? e.name : source.pattern;
      std::string to = native_path(join_name(folder, name));
      if (same_file(source_path(e), to)) {
        complain(io.console, "The file cannot be copied onto itself.");
        continue;
      }
      if (IoResult written = write_joined({source_path(e)}, to); !written) {
        complain(io.console, kCannotWrite);
        io.failures.note(written);
        continue;
      }
      if (source.wildcard) io.out.line(join_name(source.folder, e.name));
      ++copied;
    }
    report(io, copied);
    return;
  }

  std::string to = native_path(target);
  std::vector<std::string> sources;
  for (const DirEntry& e : found) {
    if (same_file(source_path(e), to)) {
      if (!source.wildcard) complain(io.console, "The file cannot be copied onto itself.");
      continue;
    }
    sources.push_back(source_path(e));
  }
  if (!sources.empty()) {
    if (IoResult written = write_joined(sources, to); written) {
      if (source.wildcard) {
        for (const DirEntry& e : found) {
          if (!same_file(source_path(e), to)) io.out.line(join_name(source.folder, e.name));
        }
      }
      copied = 1;
    } else {
      const bool folder_there = is_directory(parent_path(to));
      complain(io.console, folder_there ? kCannotWrite : kNoPath);
      io.failures.note(written);
    }
  }
  report(io, copied);
}

}  // namespace textpair
