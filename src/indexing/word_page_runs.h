// The writer of a group's word-order list, wrd_14_K.txt: the occurrences
// come in word order, and each run of them with the same id on the same
// page becomes one record (word_page_run_record), as the site pages list
// them. A run's record is written when the next run starts, or at close.
#ifndef TEXTPAIR_INDEXING_WORD_PAGE_RUNS_H_
#define TEXTPAIR_INDEXING_WORD_PAGE_RUNS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/records.h"
#include "platform/io_result.h"

namespace textpair {

class WordPageRuns {
 public:
  bool create(const std::string& name) { return out_.create(name); }
  // One occurrence in word order: its id, page, word and number.
  void add(std::string_view id, std::string_view page, std::string_view word, std::string_view n);
  // The same from a word-order record (word_order_record), without its line
  // end, its fields taken as every reader of records takes them (records.h).
  void add_record(std::string_view word_order_line);
  // Writes the last run; short when the list could not be written whole.
  IoResult close();

 private:
  void write_run();
  RecordWriter out_;
  std::vector<std::string_view> fields_;
  std::string id_, page_, word_, n_;
  std::uint64_t count_ = 0;  // occurrences in the run; 0 before the first
  std::string line_;
};

}  // namespace textpair

#endif  // TEXTPAIR_INDEXING_WORD_PAGE_RUNS_H_
