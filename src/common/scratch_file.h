// Scratch files: new files beside the ones they serve, named "<stem><n>.tmp"
// (a form none of the program's own files take), made exclusively so that a
// file already there, or one made meanwhile by anyone else, is never
// overwritten.
#ifndef TEXTPAIR_COMMON_SCRATCH_FILE_H_
#define TEXTPAIR_COMMON_SCRATCH_FILE_H_

#include <string>
#include <string_view>

#include "platform/file_io.h"

namespace textpair {

// Makes a new empty file in the native folder ("" = the work folder), open
// for writing in `file`, its native name in `name`. Numbers go on from
// `number`, which keeps the last one tried; a taken name is passed over.
// False when no file could be made.
bool create_scratch_file(const std::string& native_folder, std::string_view stem, unsigned& number, File& file,
                         std::string& name);

// Deletes a work file (named as the program writes it) whose last reader is
// done, rather than leaving it for the run's clean-up: less scratch is alive
// at once. One that cannot be deleted is left for the clean-up, which
// deletes it with the rest.
void drop_work_file(const std::string& name);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_SCRATCH_FILE_H_
