#include "indexing/word_page_runs.h"

#include "common/word_records.h"

namespace textpair {

void WordPageRuns::add(std::string_view id, std::string_view page, std::string_view word, std::string_view n) {
  if (count_ > 0 && id == id_ && page == page_) {
    ++count_;
    return;
  }
  if (count_ > 0) write_run();
  id_.assign(id);
  page_.assign(page);
  word_.assign(word);
  n_.assign(n);
  count_ = 1;
}

void WordPageRuns::add_record(std::string_view word_order_line) {
  using namespace word_order_record;
  split_record(word_order_line, kFieldCount, fields_);
  add(fields_[kId], fields_[kPage], fields_[kWord], fields_[kN]);
}

void WordPageRuns::write_run() {
  line_.clear();
  append_field(line_, id_);
  append_field(line_, page_);
  append_field(line_, word_);
  append_field(line_, n_);
  line_ += ",\"";
  append_number_field(line_, count_);
  line_ += '"';
  out_.write_built(line_);
}

IoResult WordPageRuns::close() {
  if (count_ > 0) write_run();
  count_ = 0;
  return out_.close();
}

}  // namespace textpair
