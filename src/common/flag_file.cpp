#include "common/flag_file.h"

namespace textpair {

IoResult FlagWriter::close() {
  if (!line_.empty()) out_.line(line_);
  line_.clear();
  return out_.close();
}

bool FlagReader::next(bool& flag) {
  while (at_ == line_.size()) {
    if (!in_.next(line_)) return false;
    at_ = 0;
  }
  const char c = line_[at_++];
  if (c != '0' && c != '1') {
    line_ = {};  // nothing more is read from a file that is not a flag file
    at_ = 0;
    in_.close();
    return false;
  }
  flag = c == '1';
  return true;
}

}  // namespace textpair
