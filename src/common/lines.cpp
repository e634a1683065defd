#include "common/lines.h"

#include <algorithm>
#include <cstring>

#include "common/side_task.h"
#include "platform/file_names.h"

namespace textpair {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}  // namespace

LineReader::~LineReader() { close(); }

bool LineReader::open(const std::string& name) {
  close();
  file_.open(native_path(name), File::Mode::kRead);
  buf_.resize(kBufferSize);
  pos_ = len_ = 0;
  line_at_ = line_size_ = prev_at_ = prev_size_ = 0;
  eof_ = false;
  report();
  return file_.is_open();
}

bool LineReader::fill() {
  if (!file_.is_open() || eof_) return false;
  // The bytes not yet handed out move to the front, and with keep_previous_
  // the line handed out last, which becomes the previous one, before them.
  const std::size_t keep = keep_previous_ ? std::min(line_at_, pos_) : pos_;
  if (keep > 0 && keep < len_) {
    std::memmove(buf_.data(), buf_.data() + keep, len_ - keep);
  }
  len_ -= keep;
  pos_ -= keep;
  line_at_ -= std::min(line_at_, keep);
  if (len_ == buf_.size()) buf_.resize(buf_.size() * 2);
  std::size_t got = file_.read(buf_.data() + len_, buf_.size() - len_);
  if (got == 0) {
    eof_ = true;
    report();
    return false;
  }
  len_ += got;
  return true;
}

bool LineReader::next(std::string& line) {
  std::string_view view;
  if (!next(view)) return false;
  line.assign(view);
  return true;
}

bool LineReader::next(std::string_view& line) {
  if (!file_.is_open()) return false;
  std::size_t scan = pos_;
  for (;;) {
    const char* start = buf_.data() + scan;
    const void* nl = std::memchr(start, '\n', len_ - scan);
    if (nl != nullptr) {
      std::size_t end = static_cast<const char*>(nl) - buf_.data();
      std::size_t stop = end;
      if (stop > pos_ && buf_[stop - 1] == '\r') --stop;
      line = std::string_view(buf_.data() + pos_, stop - pos_);
      if (keep_previous_) handed_out(pos_, stop - pos_);
      pos_ = end + 1;
      return true;
    }
    std::size_t scanned = len_ - pos_;
    if (!fill()) {
      if (pos_ < len_) {
        line = std::string_view(buf_.data() + pos_, len_ - pos_);
        if (keep_previous_) handed_out(pos_, len_ - pos_);
        pos_ = len_;
        return true;
      }
      return false;
    }
    scan = pos_ + scanned;
  }
}

bool LineReader::next_piece(std::string_view& piece, bool& ends, std::size_t most) {
  if (!file_.is_open()) return false;
  most = std::max<std::size_t>(most, 2);
  // Two bytes past the piece are looked at too: a line that ends right
  // after it, with or without a CR before its LF, ends there, so that equal
  // lines are cut into equal pieces.
  const std::size_t window = most + 2;
  if (buf_.size() < window) buf_.resize(window);
  std::size_t scan = pos_;
  for (;;) {
    const std::size_t look = std::min(len_ - pos_, window);
    const void* nl = std::memchr(buf_.data() + scan, '\n', pos_ + look - scan);
    if (nl != nullptr) {
      const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(nl) - buf_.data());
      std::size_t stop = end;
      if (stop > pos_ && buf_[stop - 1] == '\r') --stop;
      if (stop - pos_ <= most) {
        piece = std::string_view(buf_.data() + pos_, stop - pos_);
        pos_ = end + 1;
        ends = true;
        return true;
      }
    }
    if (nl != nullptr || look == window) {
      piece = std::string_view(buf_.data() + pos_, most);
      pos_ += most;
      ends = false;
      return true;
    }
    // Fewer bytes than the window and no line break: more are read behind
    // them (the buffer holds the window, so it does not grow).
    const std::size_t scanned = look;
    if (!fill()) {
      if (pos_ < len_) {
        // A last line without a line break, in pieces too.
        const std::size_t size = std::min(len_ - pos_, most);
        piece = std::string_view(buf_.data() + pos_, size);
        pos_ += size;
        ends = pos_ == len_;
        return true;
      }
      return false;
    }
    scan = pos_ + scanned;
  }
}

bool LineReader::at_end() {
  if (!file_.is_open()) return true;
  return pos_ >= len_ && !fill();
}

void LineReader::rewind() {
  if (!file_.rewind()) return;
  pos_ = len_ = 0;
  line_at_ = line_size_ = prev_at_ = prev_size_ = 0;
  eof_ = false;
}

void LineReader::close() {
  static_cast<void>(file_.close());  // a reader's failures are in status()
  pos_ = len_ = 0;
}

void BlankTrimmer::piece(std::string_view bytes, LineWriter& out) {
  std::size_t b = 0;
  if (!text_) {
    while (b < bytes.size() && bytes[b] == ' ') ++b;
  }
  std::size_t e = bytes.size();
  while (e > b && bytes[e - 1] == ' ') --e;
  if (e > b) {
    static constexpr std::string_view kBlanks = "                                                                ";
    for (; held_ > 0; held_ -= std::min(held_, kBlanks.size()))
      out.raw(kBlanks.substr(0, std::min(held_, kBlanks.size())));
    out.raw(bytes.substr(b, e - b));
    text_ = true;
  }
  if (text_) held_ += bytes.size() - std::max(e, b);
}

void BlankTrimmer::end_line(LineWriter& out) {
  out.raw("\r\n");
  text_ = false;
  held_ = 0;
}

// Only a writer left without close() gets here, on an early way out whose
// caller reports its own failure.
// The writes made beside: the task takes the handed-over bytes and writes
// them to the file, which only it touches until close.
struct LineWriter::Beside {
  explicit Beside(File& file)
      : task(
            [this, &file] {
              // A batch's pieces lie one after the other: written at once.
              std::vector<std::string_view> pieces;
              while (bytes.take(pieces)) {
                if (pieces.empty()) continue;
                const char* from = pieces.front().data();
                const char* to = pieces.back().data() + pieces.back().size();
                static_cast<void>(file.write(std::string_view(from, static_cast<std::size_t>(to - from))));
              }
            },
            SideTask::Alone::kSkip) {}
  LineHandoff bytes;
  SideTask task;  // started last, once the handoff stands
};

LineWriter::LineWriter() = default;

LineWriter::~LineWriter() { static_cast<void>(close()); }

bool LineWriter::open_mode(const std::string& name, File::Mode mode) {
  // A file that could not be made counts as a failed write, so callers that
  // check close() see it too.
  return file_.open(native_path(name), mode);
}

bool LineWriter::create(const std::string& name) { return open_mode(name, File::Mode::kCreate); }
bool LineWriter::append(const std::string& name) { return open_mode(name, File::Mode::kAppend); }

bool LineWriter::create_beside(const std::string& name) {
  if (!create(name)) return false;
  beside_ = std::make_unique<Beside>(file_);
  // Without a thread of its own, the writer writes as any other.
  if (!beside_->task.beside()) beside_.reset();
  return true;
}

// The file keeps its first failure: close() hands it back.
void LineWriter::raw(std::string_view bytes) {
  if (bytes.empty()) return;
  if (beside_) {
    beside_->bytes.put(bytes);
  } else if (file_.is_open()) {
    static_cast<void>(file_.write(bytes));
  }
}

void LineWriter::line(std::string_view text) {
  if (beside_) {
    beside_->bytes.put(text);
    beside_->bytes.put("\r\n");
  } else if (file_.is_open()) {
    static_cast<void>(file_.write(text, "\r\n"));
  }
}

IoResult LineWriter::close() {
  if (beside_) {
    beside_->bytes.close();
    beside_->task.wait();
    beside_.reset();
  }
  return file_.close();
}

std::vector<std::string> read_all_lines(const std::string& name, IoFailures& failures) {
  std::vector<std::string> lines;
  LineReader reader(name, failures);
  std::string line;
  while (reader.next(line)) lines.push_back(line);
  return lines;
}

long long count_lines(const std::string& name, IoFailures& failures) {
  File file(native_path(name), File::Mode::kRead);
  std::vector<char> block(kBufferSize);
  long long lines = 0;
  char last = '\n';  // an empty file has no lines
  for (std::size_t got; (got = file.read(block.data(), block.size())) > 0;) {
    for (const char *at = block.data(), *end = at + got;;) {
      const void* nl = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
      if (nl == nullptr) break;
      ++lines;
      at = static_cast<const char*>(nl) + 1;
    }
    last = block[got - 1];
  }
  failures.note_read(file.close());
  // A last line without LF is still a line.
  return last == '\n' ? lines : lines + 1;
}

int count_nonblank_lines(const std::string& name) {
  LineReader reader(name);
  std::string line;
  int count = 0;
  while (reader.next(line)) {
    if (line.find_first_not_of(' ') != std::string::npos) ++count;
  }
  return count;
}

}  // namespace textpair
