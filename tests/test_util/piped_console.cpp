#include "test_util/piped_console.h"

#include <cstdio>
#include <cstdlib>

#include "test_util/work_folder.h"

namespace textpair::testing {

PipedConsole::PipedConsole(const std::string& input)
    : in_path_(unused_temp_path("textpair_keys_")), out_path_(unused_temp_path("textpair_screen_")) {
  write_file(in_path_, input);
  write_file(out_path_, "");
  console_ = open_console(in_path_, out_path_, out_path_);
  if (console_ == nullptr) std::abort();
}

PipedConsole::~PipedConsole() {
  console_.reset();
  std::remove(in_path_.c_str());
  std::remove(out_path_.c_str());
}

std::string PipedConsole::output() const { return read_file(out_path_); }

}  // namespace textpair::testing
