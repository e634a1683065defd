// Fuzzes the scan of page lines into words: the input is a page (lines cut at
// LF, a form feed starts a new page). Every word cut must be three bytes or
// more, hold no double quote, and stand in its line at its column (a double
// quote there shows as an apostrophe), after the end of the word before it,
// and every scan position must lie in the line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "indexing/word_extraction.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void check_words(std::string_view line, const std::vector<textpair::CutWord>& words) {
  std::size_t free_from = 1;  // the first column after the last word
  for (const textpair::CutWord& w : words) {
    check(w.column >= free_from);
    free_from = w.column + w.word.size();
    check(w.word.size() >= 3);
    check(w.word.find('"') == std::string::npos);
    check(w.scan_pos >= 1 && w.scan_pos <= line.size());
    check(w.column >= 1 && w.column - 1 + w.word.size() <= line.size());
    for (std::size_t i = 0; i < w.word.size(); ++i) {
      char in_line = line[w.column - 1 + i];
      check(w.word[i] == in_line || (w.word[i] == '\'' && in_line == '"'));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view page(reinterpret_cast<const char*>(data), size);
  textpair::ScanState state;
  std::vector<textpair::CutWord> words;
  while (!page.empty()) {
    std::size_t end = page.find('\n');
    std::string_view line = page.substr(0, end);
    page.remove_prefix(end == std::string_view::npos ? page.size() : end + 1);
    if (line == "\f") {
      state.start_page();
      continue;
    }
    words.clear();
    if (textpair::scan_line(line, state, words)) {
      check_words(line, words);
    } else {
      check(words.empty());
    }
  }
  return 0;
}
