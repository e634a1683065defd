// wget: the system's own wget program, found on the search path, run with
// the arguments as given (the output file found the program's way) and its own
// standard streams, so that its report shows on the console. A dead network
// holds it at most two tries of 30 s: wget's own defaults are 20 tries and a
// 900 s read timeout. Options on the command line come later and win.
#include "commands/builtins.h"
#include "platform/file_names.h"
#include "platform/process.h"

namespace textpair {

namespace {
constexpr std::string_view kDocumentOption = "--output-document=";
}  // namespace

void wget_command(CommandIo& io, const Args& args) {
  std::vector<std::string> argv = {"wget", "--timeout=30", "--tries=2"};
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
