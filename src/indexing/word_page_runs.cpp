#include "indexing/word_page_runs.h"

#include "common/word_records.h"

namespace textpair {

void WordPageRuns::add(std::string_view word_order_line) {
  using namespace word_order_record;
  split_record(word_order_line, kFieldCount, fields_);
  if (count_ > 0 && fields_[kId] == id_ && fields_[kPage] == page_) {
    ++count_;
    return;
  }
  if (count_ > 0) write_run();
  id_.assign(fields_[kId]);
  page_.assign(fields_[kPage]);
  word_.assign(fields_[kWord]);
  n_.assign(fields_[kN]);
  count_ = 1;
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
