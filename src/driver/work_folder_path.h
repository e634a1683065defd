// The check at the very start that the work folder's path leaves room for
// the files the run makes in it, where the system limits paths.
#ifndef TEXTPAIR_DRIVER_WORK_FOLDER_PATH_H_
#define TEXTPAIR_DRIVER_WORK_FOLDER_PATH_H_

#include <cstddef>
#include <string>

#include "common/run_state.h"

namespace textpair {

// The longest name the run has a started program write in the work folder:
// wget's copy of the ads page.
inline constexpr const char* kLongestWorkName = "oglasi_wget\\oglasi_wget.html";

// With `folder` the work folder as the system shows it and `limit` the
// system's longest path (0: none): goes on when the longest file of the run
// fits; otherwise shows a screen that names the folder and the limit, waits
// for a key and ends the run.
Flow check_work_folder_path(Console& console, const std::string& folder, std::size_t limit);

// The same for the current folder and this system's limit.
Flow check_work_folder_path(Console& console);

}  // namespace textpair

#endif  // TEXTPAIR_DRIVER_WORK_FOLDER_PATH_H_
