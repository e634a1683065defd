#include "steps/folders.h"

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"

namespace textpair {

bool listing_holds_folder(const std::string& listing, std::string_view folder, IoFailures& failures) {
  LineReader reader(listing, failures);
  std::string line;
  while (reader.next(line)) {
    if (contains(lower_ascii(line), folder)) return true;
  }
  return false;
}

void empty_folder(Console& console, IoFailures& failures, const std::string& folder, const std::string& files) {
  run_command(console, failures, "dir > " + folder + "\\f_01.txt");
  run_command(console, failures, "del /q " + folder + "\\" + files + " > out_null.list");
}

void reset_folder(Console& console, IoFailures& failures, const FolderReset& reset) {
  run_command(console, failures, "dir /b *. > " + reset.listing);
  if (listing_holds_folder(reset.listing, reset.folder, failures)) {
    if (reset.list_into_first) {
      empty_folder(console, failures, reset.folder, reset.files);
    } else {
      run_command(console, failures, "del /q " + reset.folder + "\\" + reset.files + " > out_null.list");
    }
  } else if (reset.make_when_missing) {
    run_command(console, failures, "md " + reset.folder + " > out_null.list");
  }
}

}  // namespace textpair
