// The commands the interpreter knows. Each gets the words after its name,
// writes its standard output to `out` and its complaints to the console's
// error stream, and reads piped lines from `input` when it is given.
#ifndef TEXTPAIR_COMMANDS_BUILTINS_H_
#define TEXTPAIR_COMMANDS_BUILTINS_H_

#include <string>
#include <string_view>
#include <vector>

#include "commands/command_line.h"
#include "commands/output.h"
#include "common/io_failures.h"

namespace textpair {

class Console;

struct CommandIo {
  Console& console;
  Output& out;
  IoFailures& failures;                             // where a file not written completely is noted
  const std::vector<std::string>* input = nullptr;  // lines from a pipe
};

using Args = std::vector<Word>;

inline bool is_switch(const Word& w) { return !w.quoted && w.text.size() > 1 && w.text[0] == '/'; }

// True when the switch (lower case) is among the arguments, in any case.
bool has_switch(const Args& args, std::string_view lower_switch);

// Splits the arguments into names and switches; complains and returns false
// at a switch that is not among `allowed` (lower case).
bool read_names(CommandIo& io, const Args& args, const std::vector<std::string>& allowed,
                std::vector<std::string>& names);

inline constexpr const char* kSyntaxError = "The syntax of the command is incorrect.";

void dir_command(CommandIo& io, const Args& args);
void copy_command(CommandIo& io, const Args& args);
void del_command(CommandIo& io, const Args& args);
void md_command(CommandIo& io, const Args& args);
void rename_command(CommandIo& io, const Args& args);
void find_command(CommandIo& io, const Args& args);
void findstr_command(CommandIo& io, const Args& args);
void sort_command(CommandIo& io, const Args& args);
void wget_command(CommandIo& io, const Args& args);

}  // namespace textpair

#endif  // TEXTPAIR_COMMANDS_BUILTINS_H_
