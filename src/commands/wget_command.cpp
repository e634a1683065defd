// wget: the system's own wget program, found on the search path, run with
// the arguments as given (the output file found the program's way) and its own
// standard streams, so that its report shows on the console.
#include "commands/builtins.h"
#include "platform/file_names.h"
#include "platform/process.h"

namespace textpair {

namespace {
constexpr std::string_view kDocumentOption = "--output-document=";
}  // namespace

void wget_command(CommandIo& io, const Args& args) {
  std::vector<std::string> argv = {"wget"};
  for (const Word& w : args) {
    std::string a = w.text;
    if (a.starts_with(kDocumentOption)) {
      // The file is found the program's way, like every other file name.
      // Its folders are separated by "/", which Windows takes too, so that
      // wget reports the same name on every platform.
      a = std::string(kDocumentOption) + native_path(a.substr(kDocumentOption.size()));
      for (std::size_t at = kDocumentOption.size(); at < a.size(); ++at) {
        if (a[at] == '\\') a[at] = '/';
      }
    }
    argv.push_back(a);
  }
  int status = run_program(argv);
  if (status == -1 || status == 127) {
    complain(io.console, "'wget' is not recognized as an internal or external command,");
    complain(io.console, "operable program or batch file.");
  }
}

}  // namespace textpair
