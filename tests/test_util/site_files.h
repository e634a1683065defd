// Test helpers for phases that read record files: record files written by
// hand and CR LF line splitting.
#ifndef TEXTPAIR_TESTS_TEST_UTIL_SITE_FILES_H_
#define TEXTPAIR_TESTS_TEST_UTIL_SITE_FILES_H_

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

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_SITE_FILES_H_
