// Test helpers for phases that read record files and for runs that make a
// site: record files written by hand, CR LF line splitting, and a folder's
// files read for comparison.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_SITE_FILES_H_
#define TEXTPAIR_TESTS_TEST_UTIL_SITE_FILES_H_

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace textpair::testing {

// One record per row, every field quoted, CR LF after each.
std::string records(const std::vector<std::vector<std::string>>& rows);

// The lines of a CR LF file (fails the test on a bare LF).
std::vector<std::string> split_crlf(const std::string& text);

// A page with its date and time lines masked, so that two runs' pages
// compare equal.
std::string masked(const std::string& page);

// The whole content of a file ("" when it cannot be read).
std::string slurp(const std::filesystem::path& path);

// The regular files of a folder by name, with their contents (masked with
// `mask`); none when the folder is not there.
std::map<std::string, std::string> files_of(const std::filesystem::path& dir, bool mask = false);

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_SITE_FILES_H_
