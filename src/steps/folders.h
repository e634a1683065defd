// The work folder's subfolders: whether a "dir /b *." listing names one,
// and the reset that empties one (a listing is written into the folder
// first, so that it is certain to hold a file, then its files are deleted).
#ifndef TEXTPAIR_STEPS_FOLDERS_H_
#define TEXTPAIR_STEPS_FOLDERS_H_

#include <string>
#include <string_view>

namespace textpair {

class Console;

// True as soon as a line of the listing, lower-cased, contains `folder`.
bool listing_holds_folder(const std::string& listing, std::string_view folder);

// "dir > folder\f_01.txt", then "del /q folder\*.* > out_null.list".
void reset_folder(Console& console, const std::string& folder);

}  // namespace textpair

#endif  // TEXTPAIR_STEPS_FOLDERS_H_
