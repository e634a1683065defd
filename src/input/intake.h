// Intake of compare_in: the files are taken in under cleaned names and HTM
// input is turned into text.
//
// No user file is lost on the way: a file that is not input (neither ".txt"
// nor ".htm"), and a file whose name the command line cannot carry, stays
// in compare_in as it was; two names that clean to the same name are told
// apart by a number after the cleaned stem. A file taken in under a new name
// is at every moment in compare_in or in the hidden hold folder, whatever
// ends the run; the next run puts back what the hold folder keeps.
#ifndef TEXTPAIR_INPUT_INTAKE_H_
#define TEXTPAIR_INPUT_INTAKE_H_

#include <optional>
#include <string>
#include <string_view>

#include "common/run_state.h"

namespace textpair {

// Puts back into compare_in what an earlier run left in the hold folder,
// as every run does before anything else.
void put_back_held_files(Context& ctx);
Flow take_in_inputs(Context& ctx);
// Resets htm_out and makes the working subfolders.
void set_up_folders(Context& ctx);

// 0-based position of the first ".txt" (any case) in the name, else of the
// first ".htm" (any case); nullopt for a name that is not input.
std::optional<std::size_t> extension_position(std::string_view name);

// The name under which an input file is taken in (the name trimmed of
// blanks, the stem cleaned); nullopt for a name that is not input.
std::optional<std::string> intake_name_of(std::string_view name);

// The part of a name before its first ".htm" (any case), else before its
// first ".txt"; nullopt for a name with neither.
std::optional<std::string> clash_base(std::string_view name);

// Writes the text of an HTM file: the trimmed lines between a line that is
// exactly "<body>" and one that is exactly "</body>" (any case), without
// the lines "<pre>" and "</pre>". A failure when the HTM file could not be
// read or the text could not be written.
IoResult htm_to_text(const std::string& htm_name, const std::string& txt_name);

}  // namespace textpair

#endif  // TEXTPAIR_INPUT_INTAKE_H_
