// The work folder's subfolders: whether a "dir /b *." listing names one,
// and the reset that empties a folder that is there (a listing is written
// into it first, so that it is certain to hold a file, then its files are
// deleted) or makes one that is not.
#ifndef TEXTPAIR_STEPS_FOLDERS_H_
#define TEXTPAIR_STEPS_FOLDERS_H_

#include <string>
#include <string_view>

#include "common/io_failures.h"

namespace textpair {

class Console;

// True as soon as a line of the listing, lower-cased, contains `folder`.
bool listing_holds_folder(const std::string& listing, std::string_view folder, IoFailures& failures);

// "dir > folder\f_01.txt", then "del /q folder\<files> > out_null.list".
void empty_folder(Console& console, IoFailures& failures, const std::string& folder, const std::string& files = "*.*");

// How one folder is reset; each step that resets a folder keeps its own
// list file and commands, as the files it leaves show.
struct FolderReset {
  std::string folder;
  std::string listing;            // list file of "dir /b *." that tells whether the folder is there
  std::string files = "*.*";      // what emptying deletes
  bool list_into_first = true;    // false: only "del /q folder\<files> > out_null.list"
  bool make_when_missing = true;  // "md folder > out_null.list"
};

// "dir /b *. > listing"; a folder it names is emptied, a missing one made.
void reset_folder(Console& console, IoFailures& failures, const FolderReset& reset);

}  // namespace textpair

#endif  // TEXTPAIR_STEPS_FOLDERS_H_
