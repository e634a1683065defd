// Starting an outside program (wget is the only one) found on the search
// path, with the program's environment and its standard streams, and
// waiting for it to end.
#ifndef TEXTPAIR_PLATFORM_PROCESS_H_
#define TEXTPAIR_PLATFORM_PROCESS_H_

#include <string>
#include <string_view>
#include <vector>

namespace textpair {

// The program's own name as it was started (argv[0]; on Windows taken from
// the wide command line, in UTF-8).
std::string invocation_name(int argc, char** argv);

// Runs argv[0] with the arguments; returns its exit status, or -1 when it
// could not be started.
int run_program(const std::vector<std::string>& argv);

// One argument quoted for a Windows command line by the rules the C runtime
// uses to split it again: blanks and quotes are enclosed in quotes, a quote
// is escaped with "\", and backslashes before a quote are doubled.
std::string quote_windows_argument(std::string_view argument);
// The whole command line: the quoted arguments separated by blanks.
std::string windows_command_line(const std::vector<std::string>& argv);

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_PROCESS_H_
