#include "steps/folders.h"

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"

namespace textpair {

bool listing_holds_folder(const std::string& listing, std::string_view folder) {
  LineReader reader(listing);
  std::string line;
  while (reader.next(line)) {
    if (contains(lower_ascii(line), folder)) return true;
  }
  return false;
}

void reset_folder(Console& console, const std::string& folder) {
  run_command(console, "dir > " + folder + "\\f_01.txt");
  run_command(console, "del /q " + folder + "\\*.* > out_null.list");
}

}  // namespace textpair
