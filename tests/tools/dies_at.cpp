// The program as the kill tests start it: it dies, as at a kill or a power
// loss (no handler, no clean-up, no buffered write), right before the file
// operation numbered in TEXTPAIR_DIE_AT (counted from 1 over the work
// folder's operations). Built for the tests only; the program itself reads
// no environment variable.
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "driver/run.h"
#include "platform/console.h"
#include "platform/fault_seam.h"
#include "platform/process.h"

namespace {

class DieAt : public textpair::FaultHook {
 public:
  explicit DieAt(long k) : k_(k) {}
  std::optional<textpair::InjectedFault> before(textpair::FileOp, const std::string& path) override {
    const bool absolute = !path.empty() && (path[0] == '/' || (path.size() > 1 && path[1] == ':'));
    if (!absolute && ++count_ == k_) std::_Exit(137);
    return std::nullopt;
  }

 private:
  long k_;
  long count_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const char* at = std::getenv("TEXTPAIR_DIE_AT");
  DieAt hook(at != nullptr ? std::atol(at) : 0);
  textpair::set_fault_hook(&hook);
  std::unique_ptr<textpair::Console> console = textpair::open_standard_console();
  return textpair::run(*console, textpair::invocation_name(argc, argv));
}
