#include "site/page_lines.h"

#include <algorithm>
#include <cstring>

#include "common/bytes.h"
#include "platform/file_names.h"

namespace textpair {

namespace {
constexpr std::size_t kPiece = std::size_t{1} << 16;
}  // namespace

bool PageLines::open(const std::string& name) {
  close();
  buf_.resize(held_);
  return file_.open(native_path(name), File::Mode::kRead);
}

void PageLines::close() {
  static_cast<void>(file_.close());  // a reader's failures are in status()
  read_at_ = buf_at_ = next_ = 0;
  len_ = piece_len_ = 0;
  whole_ = true;
  line_ = {};
}

std::size_t PageLines::read_at(std::uint64_t offset, char* into, std::size_t size) {
  if (offset != read_at_) {
    if (!file_.seek(offset)) return 0;
    read_at_ = offset;
  }
  std::size_t got = 0;
  for (std::size_t n; got < size && (n = file_.read(into + got, size - got)) > 0;) got += n;
  read_at_ += got;
  return got;
}

bool PageLines::next() {
  whole_ = true;
  line_ = {};
  if (!file_.is_open()) return false;
  if (next_ < buf_at_ || next_ > buf_at_ + len_) {  // after a long line
    buf_at_ = next_;
    len_ = 0;
  }
  std::size_t start = static_cast<std::size_t>(next_ - buf_at_);
  std::size_t scanned = start;
  for (;;) {
    const void* nl = std::memchr(buf_.data() + scanned, '\n', len_ - scanned);
    if (nl != nullptr) {
      const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(nl) - buf_.data());
      const std::size_t stop = end > start && buf_[end - 1] == '\r' ? end - 1 : end;
      line_ = std::string_view(buf_.data() + start, stop - start);
      next_ = buf_at_ + end + 1;
      return true;
    }
    if (start > 0) {  // the line moves to the buffer's front before more is read
      std::memmove(buf_.data(), buf_.data() + start, len_ - start);
      len_ -= start;
      buf_at_ += start;
      start = 0;
    }
    scanned = len_;
    if (len_ == buf_.size()) break;
    const std::size_t got = read_at(buf_at_ + len_, buf_.data() + len_, buf_.size() - len_);
    if (got == 0) {  // a last line without LF is still a line
      if (len_ == 0) return false;
      line_ = std::string_view(buf_.data(), len_);
      next_ = buf_at_ + len_;
      return true;
    }
    len_ += got;
  }
  find_long_line_end();
  return true;
}

// The buffer is full and holds no LF: the line goes on past it.
void PageLines::find_long_line_end() {
  whole_ = false;
  line_at_ = buf_at_;
  char last = buf_[len_ - 1];
  for (std::uint64_t at = buf_at_ + len_;;) {
    const std::size_t got = read_at(at, buf_.data(), buf_.size());
    if (got == 0) {
      line_size_ = at - line_at_;
      next_ = at;
      break;
    }
    const void* nl = std::memchr(buf_.data(), '\n', got);
    if (nl != nullptr) {
      const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(nl) - buf_.data());
      const std::uint64_t lf = at + end;
      const char before = end > 0 ? buf_[end - 1] : last;
      line_size_ = lf - line_at_ - (before == '\r' ? 1 : 0);
      next_ = lf + 1;
      break;
    }
    last = buf_[got - 1];
    at += got;
  }
  len_ = 0;  // the buffer holds none of the next line
  buf_at_ = next_;
  piece_len_ = 0;
}

std::size_t PageLines::find_nocase(std::string_view needle, char& before) {
  before = 0;
  if (whole_) {
    const std::size_t at = textpair::find_nocase(line_, needle);
    if (at != std::string_view::npos && at > 0) before = line_[at - 1];
    return at;
  }
  // The line piece by piece, each searched behind the last needle's length
  // of bytes of the one before, so that no match is missed at a seam and
  // the byte before a match is always at hand.
  std::string window;
  std::uint64_t window_at = 0;  // the line's place of window[0]
  std::vector<char> piece(kPiece);
  for (std::uint64_t at = 0; at < line_size_;) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, line_size_ - at));
    const std::size_t got = read_at(line_at_ + at, piece.data(), want);
    if (got == 0) break;
    window.append(piece.data(), got);
    at += got;
    const std::size_t found = textpair::find_nocase(window, needle);
    if (found != std::string_view::npos) {
      if (found > 0) before = window[found - 1];
      return static_cast<std::size_t>(window_at + found);
    }
    const std::size_t keep = std::min(window.size(), needle.size());
    window_at += window.size() - keep;
    window.erase(0, window.size() - keep);
  }
  return std::string_view::npos;
}

void PageLines::copy(std::size_t a, std::size_t b, LineWriter& out) {
  if (a < 1) a = 1;
  if (whole_) {
    if (b > line_.size()) b = line_.size();
    if (b >= a) out.raw(line_.substr(a - 1, b - a + 1));
    return;
  }
  if (b > line_size_) b = static_cast<std::size_t>(line_size_);
  if (b < a) return;
  const std::uint64_t end = line_at_ + b;
  for (std::uint64_t from = line_at_ + a - 1; from < end;) {
    if (from < piece_at_ || from >= piece_at_ + piece_len_) {
      piece_.resize(kPiece);
      piece_at_ = from;
      const std::uint64_t line_end = line_at_ + line_size_;
      piece_len_ =
          read_at(from, piece_.data(), static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, line_end - from)));
      if (piece_len_ == 0) return;
    }
    const std::size_t offset = static_cast<std::size_t>(from - piece_at_);
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(piece_len_ - offset, end - from));
    out.raw(std::string_view(piece_.data() + offset, n));
    from += n;
  }
}

}  // namespace textpair
