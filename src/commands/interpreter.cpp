#include "commands/interpreter.h"

#include <memory>

#include "commands/builtins.h"
#include "commands/file_match.h"
#include "common/bytes.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

void chcp_command(CommandIo& io, const Args&) { io.out.line("Active code page: 65001"); }

using Builtin = void (*)(CommandIo&, const Args&);

Builtin lookup(std::string name) {
  name = lower_ascii(name);
  if (name.ends_with(".exe")) name.resize(name.size() - 4);
  struct Entry {
    const char* name;
    Builtin run;
  };
  static constexpr Entry kBuiltins[] = {
      {"dir", dir_command},   {"copy", copy_command},       {"del", del_command},       {"erase", del_command},
      {"md", md_command},     {"mkdir", md_command},        {"rename", rename_command}, {"ren", rename_command},
      {"find", find_command}, {"findstr", findstr_command}, {"sort", sort_command},     {"chcp", chcp_command},
      {"wget", wget_command},
  };
  for (const Entry& e : kBuiltins) {
    if (name == e.name) return e.run;
  }
  return nullptr;
}

// Runs the commands of a pipe one after the other, each reading the lines
// the one before it wrote.
void run_pipeline(Console& console, IoFailures& failures, const std::vector<Command>& pipeline) {
  std::vector<std::string> piped;
  for (std::size_t i = 0; i < pipeline.size(); ++i) {
    const Command& cmd = pipeline[i];
    bool last = i + 1 == pipeline.size();
    bool reads_pipe = i > 0;

    // Every redirection target is created (or opened for appending) in
    // turn; the output goes to the last one.
    std::vector<std::unique_ptr<FileOutput>> files;
    bool opened = true;
    for (const Redirect& r : cmd.redirects) {
      if (!files.empty()) failures.note(files.back()->close());
      files.push_back(std::make_unique<FileOutput>());
      if (!files.back()->open(r.target, r.append)) {
        complain(console, "The system cannot find the path specified.");
        // A missing folder is the interpreter's ordinary complaint (the
        // folder resets write into folders that may not be there yet); a
        // folder that is there and takes no file is a failure.
        IoResult failure = files.back()->close();
        if (is_directory(parent_path(native_path(r.target)))) failures.note(failure);
        opened = false;
        break;
      }
    }
    std::vector<std::string> input = std::move(piped);
    piped.clear();
    if (!opened) continue;

    Builtin run = lookup(cmd.words[0].text);
    if (run == nullptr) {
      complain(console, "'" + cmd.words[0].text + "' is not recognized as an internal or external command,");
      complain(console, "operable program or batch file.");
      continue;
    }
    ConsoleOutput to_console(console);
    BufferOutput to_pipe;
    Output& out = !files.empty() ? static_cast<Output&>(*files.back())
                                 : (last ? static_cast<Output&>(to_console) : static_cast<Output&>(to_pipe));
    CommandIo io{console, out, failures, reads_pipe ? &input : nullptr};
    run(io, Args(cmd.words.begin() + 1, cmd.words.end()));
    if (IoResult closed = files.empty() ? IoResult() : files.back()->close(); !closed) {
      complain(console, "The system cannot write to the specified device.");
      failures.note(closed);
    }
    piped = to_pipe.lines();
  }
}

// The values a for loop's set stands for: each file a pattern matches
// (with the folder as written; hidden and system files are passed over),
// or the item itself.
std::vector<std::string> loop_values(const std::vector<Word>& set, IoFailures& failures) {
  std::vector<std::string> values;
  for (const Word& item : set) {
    if (!has_wildcards(item.text)) {
      values.push_back(item.text);
      continue;
    }
    FileArgument arg = read_file_argument(item.text);
    for (const DirEntry& e : matching_entries(arg, false, failures)) values.push_back(join_name(arg.folder, e.name));
  }
  return values;
}

}  // namespace

void execute(Console& console, IoFailures& failures, const CommandLine& line) {
  if (!line.valid) {
    complain(console, kSyntaxError);
    return;
  }
  if (!line.is_loop) return run_pipeline(console, failures, line.pipeline);
  for (const std::string& value : loop_values(line.loop_set, failures)) {
    std::vector<Command> pipeline;
    for (const Command& cmd : line.pipeline) pipeline.push_back(substitute(cmd, line.loop_variable, value));
    run_pipeline(console, failures, pipeline);
  }
}

}  // namespace textpair
