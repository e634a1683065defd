#include "common/line_sort.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#include "common/lines.h"
#include "platform/file_io.h"

namespace textpair {

bool LineRun::fill(LineReader& reader, std::size_t budget) {
  clear();
  // Reserved pages that no line reaches are never touched.
  constexpr std::size_t kMostReserved = std::size_t{64} << 20;
  if (bytes_.capacity() < budget) bytes_.reserve(std::min(budget, kMostReserved));
  std::string line;
  while (held_ < budget && reader.next(line)) add(line);
  return !lines_.empty();
}

namespace {

// Eight bytes of a line from `from` on as one number, the first byte
// highest; bytes past the line's end count as 0.
std::uint64_t key_at(const char* line, std::size_t length, std::size_t from) {
  std::uint64_t key = 0;
  if (from + 8 <= length) {
#if defined(__GNUC__)
    std::memcpy(&key, line + from, 8);
    if constexpr (std::endian::native == std::endian::little) key = __builtin_bswap64(key);
#else
    for (std::size_t k = from; k < from + 8; ++k) key = (key << 8) | static_cast<unsigned char>(line[k]);
#endif
    return key;
  }
  for (std::size_t k = from; k < from + 8; ++k) {
    key = (key << 8) | (k < length ? static_cast<unsigned char>(line[k]) : 0u);
  }
  return key;
}

// Ranges this small are sorted by comparing their bytes directly; up to
// kCountFrom lines by comparing keys, larger ones by counting.
constexpr std::size_t kCompareDirectly = 16;
constexpr std::size_t kCountFrom = 256;

// Sorts lines[begin, end) by `digit`, which is below `buckets`, keeping the
// order of lines with the same digit; `from` and `to` swap when the lines
// moved. Nothing moves when all lines share one digit.
template <typename Digit>
void counting_pass(LineRun::Line*& from, LineRun::Line*& to, std::size_t n, std::size_t buckets, Digit digit) {
  std::size_t count[257] = {};
  for (std::size_t i = 0; i < n; ++i) ++count[digit(from[i]) + 1];
  if (count[digit(from[0]) + 1] == n) return;
  for (std::size_t d = 1; d <= buckets; ++d) count[d] += count[d - 1];
  for (std::size_t i = 0; i < n; ++i) to[count[digit(from[i])]++] = from[i];
  std::swap(from, to);
}

}  // namespace

void LineRun::sort() {
  if (lines_.size() < 2) return;
  // The prefix every line shares decides nothing.
  std::string_view first = at(0);
  std::size_t shared = first.size();
  for (std::size_t i = 1; i < lines_.size() && shared > 0; ++i) {
    std::string_view line = at(i);
    std::size_t n = std::min(shared, line.size());
    std::size_t k = 0;
    while (k < n && line[k] == first[k]) ++k;
    shared = k;
  }
  // Eight bytes at a time: a range of lines is sorted by the eight bytes
  // from `from` on as one number, a line that ends among them before one
  // that goes on; lines equal in them that both go on are sorted again by
  // the next eight bytes.
  struct Range {
    std::size_t begin, end, from;
  };
  std::vector<Range> todo{{0, lines_.size(), shared}};
  const auto begin = lines_.begin();
  while (!todo.empty()) {
    const Range r = todo.back();
    todo.pop_back();
    if (r.end - r.begin <= kCompareDirectly) {
      std::sort(begin + static_cast<std::ptrdiff_t>(r.begin), begin + static_cast<std::ptrdiff_t>(r.end),
                [this, from = r.from](const Line& a, const Line& b) {
                  return std::string_view(bytes_.data() + a.offset + from, a.length - from) <
                         std::string_view(bytes_.data() + b.offset + from, b.length - from);
                });
      continue;
    }
    const std::size_t limit = r.from + 8;
    for (std::size_t i = r.begin; i < r.end; ++i) {
      Line& line = lines_[i];
      line.key = key_at(bytes_.data() + line.offset, line.length, r.from);
    }
    auto held = [limit](const Line& l) { return std::min(l.length, limit); };
    // Lines alike in these bytes, all going on past them, need no sort here.
    bool alike = true;
    for (std::size_t i = r.begin; i < r.end && alike; ++i) {
      alike = lines_[i].key == lines_[r.begin].key && held(lines_[i]) == limit;
    }
    if (alike) {
      todo.push_back({r.begin, r.end, limit});
      continue;
    }
    if (r.end - r.begin < kCountFrom) {
      std::sort(begin + static_cast<std::ptrdiff_t>(r.begin), begin + static_cast<std::ptrdiff_t>(r.end),
                [&held](const Line& a, const Line& b) { return a.key != b.key ? a.key < b.key : held(a) < held(b); });
    } else {
      // By the bytes held, then by the key's bytes from the lowest up.
      const std::size_t n = r.end - r.begin;
      if (scratch_.size() < n) scratch_.resize(n);
      Line* in = lines_.data() + r.begin;
      Line* other = scratch_.data();
      counting_pass(in, other, n, 9, [&held, &r](const Line& l) { return held(l) - r.from; });
      for (int shift = 0; shift < 64; shift += 8) {
        counting_pass(in, other, n, 256, [shift](const Line& l) { return (l.key >> shift) & 0xff; });
      }
      if (in != lines_.data() + r.begin) std::copy(in, in + n, lines_.data() + r.begin);
    }
    for (std::size_t i = r.begin; i < r.end;) {
      std::size_t j = i + 1;
      while (j < r.end && lines_[j].key == lines_[i].key && held(lines_[j]) == held(lines_[i])) ++j;
      if (j - i > 1 && held(lines_[i]) == limit) todo.push_back({i, j, limit});
      i = j;
    }
  }
}

bool LineRun::write(File& f, std::size_t drop) const {
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  std::string chunk;
  chunk.reserve(kChunk + 2);
  bool ok = true;
  for (std::size_t i = 0; i < lines_.size() && ok; ++i) {
    const std::string_view line = at(i);
    chunk += line.substr(std::min(drop, line.size()));
    chunk += "\r\n";
    if (chunk.size() >= kChunk || i + 1 == lines_.size()) {
      ok = f.write(chunk);
      chunk.clear();
    }
  }
  if (!f.close()) ok = false;
  return ok;
}

LineMerge::LineMerge() = default;
LineMerge::~LineMerge() = default;

bool LineMerge::open(const std::vector<std::string>& sources, IoFailures& failures) {
  readers_.clear();
  heads_.clear();
  advance_ = kNone;
  in_order_ = true;
  bool ok = true;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    readers_.push_back(std::make_unique<LineReader>());
    readers_.back()->report_to(failures);
    if (!readers_.back()->open(sources[i])) ok = false;
    readers_.back()->keep_previous();
    std::string_view line;
    if (readers_.back()->next(line)) heads_.push_back({key_at(line.data(), line.size(), 0), line, i});
  }
  // A heap with the least head first.
  for (std::size_t i = heads_.size() / 2; i-- > 0;) sift_down(i);
  return ok;
}

void LineMerge::sift_down(std::size_t i) {
  const std::size_t n = heads_.size();
  for (;;) {
    std::size_t least = i;
    const std::size_t left = 2 * i + 1;
    if (left < n && later(heads_[least], heads_[left])) least = left;
    if (left + 1 < n && later(heads_[least], heads_[left + 1])) least = left + 1;
    if (least == i) return;
    std::swap(heads_[i], heads_[least]);
    i = least;
  }
}

bool LineMerge::next(std::string_view& line) {
  if (advance_ != kNone) {
    // The line handed out last was the first head; its source reads on.
    Head& head = heads_.front();
    const std::uint64_t last_key = head.key;
    LineReader& reader = *readers_[advance_];
    if (reader.next(head.line)) {
      head.key = key_at(head.line.data(), head.line.size(), 0);
      // Each source must come in order; the keys mostly tell.
      if (head.key != last_key ? head.key < last_key : head.line < reader.previous()) in_order_ = false;
    } else {
      head = heads_.back();
      heads_.pop_back();
    }
    if (!heads_.empty()) sift_down(0);
    advance_ = kNone;
  }
  if (heads_.empty()) return false;
  line = heads_.front().line;
  advance_ = heads_.front().source;
  return true;
}

MergeResult merge_runs(const std::vector<std::string>& sources, File& out, IoFailures& failures, std::size_t drop) {
  LineMerge merge;
  bool ok = merge.open(sources, failures);
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  std::string chunk;
  std::string_view line;
  while (ok && merge.next(line)) {
    chunk += line.substr(std::min(drop, line.size()));
    chunk += "\r\n";
    if (chunk.size() >= kChunk) {
      ok = out.write(chunk);
      chunk.clear();
    }
  }
  if (ok && !chunk.empty()) ok = out.write(chunk);
  failures.note(out.close());
  // A source that could not be read to its end noted itself.
  if (!ok || failures.any()) return MergeResult::kFailed;
  return merge.in_order() ? MergeResult::kInOrder : MergeResult::kOutOfOrder;
}

}  // namespace textpair
