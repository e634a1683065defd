#include "driver/work_folder_path.h"

#include <cstring>

#include "platform/console.h"
#include "platform/files.h"
#include "platform/path_limit.h"
#include "platform/utf16.h"
#include "prompts/prompts.h"

namespace textpair {

Flow check_work_folder_path(Console& console, const std::string& folder, std::size_t limit) {
  if (limit == 0) return Flow::kGoOn;
  // Counted as the system counts: in UTF-16 units.
  std::size_t longest = utf8_to_utf16(folder).size() + 1 + std::strlen(kLongestWorkName);
  if (longest <= limit) return Flow::kGoOn;
  console.write_line(kDashes);
  console.write_line("The path of the work folder is too long:");
  console.write_line(folder);
  console.write_line("Its files need paths of up to " + std::to_string(longest) + " characters; Windows takes " +
                     std::to_string(limit) + ".");
  console.write_line("Move the program to a folder with a shorter path, or turn on long paths in Windows.");
  console.empty_line();
  any_key_prompt(console, "<...> any key to continue and end");
  return Flow::kEnd;
}

Flow check_work_folder_path(Console& console) {
  return check_work_folder_path(console, shown_path(""), path_length_limit());
}

}  // namespace textpair
