#include "indexing/text_places.h"

#include "common/bytes.h"

namespace textpair {

void TextPlaceWriter::add(std::string_view page, std::string_view line, std::string_view column,
                          std::string_view word) {
  const bool new_page = !started_ || page != page_;
  if (new_page) {
    page_.assign(page);
    buffer_.assign("P");
    buffer_ += page;
    out_.line(buffer_);
  }
  if (new_page || line != line_) {
    line_.assign(line);
    buffer_.assign("L");
    buffer_ += line;
    out_.line(buffer_);
  }
  started_ = true;
  buffer_.assign(column);
  buffer_ += '|';
  buffer_ += word;
  out_.line(buffer_);
}

bool TextPlaceReader::next() {
  std::string_view line;
  while (in_.next(line)) {
    if (line.empty()) continue;
    if (line.front() == 'P') {
      page_.assign(line.substr(1));
    } else if (line.front() == 'L') {
      line_.assign(line.substr(1));
    } else {
      // The column is blanks and digits: the first bar ends it.
      const std::size_t bar = line.find('|');
      column_ = line.substr(0, bar);
      word_ = bar == std::string_view::npos ? std::string_view() : line.substr(bar + 1);
      ++ordinal_;
      return true;
    }
  }
  return false;
}

void TextPlaceReader::place_record(std::string& record) const {
  record.clear();
  append_all(record, "\"", page_, "\",\"", line_, "\",\"", column_, "\",\"", word_, "\"");
}

}  // namespace textpair
