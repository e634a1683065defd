// Parsing one command line of the command interpreter's kind into its parts,
// without touching anything: optional "cmd /c" prefixes, an optional
// "for %i in (set) do" loop, and a pipeline of commands, each with its words
// and its redirections of standard output.
#ifndef TEXTPAIR_COMMANDS_COMMAND_LINE_H_
#define TEXTPAIR_COMMANDS_COMMAND_LINE_H_

#include <string>
#include <string_view>
#include <vector>

namespace textpair {

// A word with its quotes removed; `quoted` when any part of it was quoted.
struct Word {
  std::string text;
  bool quoted = false;
  bool operator==(const Word&) const = default;
};

// "> target" (truncate) or ">> target" (append).
struct Redirect {
  std::string target;
  bool append = false;
  bool operator==(const Redirect&) const = default;
};

// One command: words[0] is its name as written.
struct Command {
  std::vector<Word> words;
  std::vector<Redirect> redirects;
  bool operator==(const Command&) const = default;
};

struct CommandLine {
  bool valid = true;              // false: the line's syntax is not understood
  bool is_loop = false;           // "for %V in (set) do" precedes the pipeline
  std::string loop_variable;      // "%i"
  std::vector<Word> loop_set;     // the set's items
  std::vector<Command> pipeline;  // commands joined by "|"; empty for a blank line
};

CommandLine parse_command_line(std::string_view line);

// The words and redirection targets of `command` with every `variable`
// replaced by `value`.
Command substitute(const Command& command, std::string_view variable, std::string_view value);

}  // namespace textpair

#endif  // TEXTPAIR_COMMANDS_COMMAND_LINE_H_
