#include "common/external_sort.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/scratch_file.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {

std::string piece_of(const SortScratch& scratch, std::size_t n) { return scratch.pieces + std::to_string(n) + ".txt"; }

// Hands the lines of the sorted pieces, merged and without their keys, to `each`.
SortOutcome merge_into(const std::vector<std::string>& pieces, std::size_t key_bytes, IoFailures& failures,
                       const std::function<void(std::string_view)>& each) {
  LineMerge merge;
  if (!merge.open(pieces, failures)) return SortOutcome::kFailed;
  std::string_view line;
  while (merge.next(line)) each(line.substr(std::min(key_bytes, line.size())));
  if (failures.any()) return SortOutcome::kFailed;
  return merge.in_order() ? SortOutcome::kSorted : SortOutcome::kOutOfOrder;
}

SortOutcome outcome_of(MergeResult merged) {
  switch (merged) {
    case MergeResult::kInOrder: return SortOutcome::kSorted;
    case MergeResult::kOutOfOrder: return SortOutcome::kOutOfOrder;
    case MergeResult::kFailed: break;
  }
  return SortOutcome::kFailed;
}

}  // namespace

ExternalSorter::ExternalSorter(std::string input, std::string output, IoFailures& failures,
                               const ExternalSortLimits& limits, std::size_t key_bytes, SortScratch scratch)
    : input_(std::move(input)),
      output_(std::move(output)),
      failures_(failures),
      limits_(limits),
      key_bytes_(key_bytes),
      scratch_(std::move(scratch)) {}

ExternalSorter::~ExternalSorter() {
  if (piece_task_) piece_task_->wait();
  remove_temporary();
}

void ExternalSorter::drop_merged_pieces() {
  // Work-folder pieces would otherwise wait for the next sort's clearing or
  // the run's clean-up.
  if (!scratch_.temporary) {
    for (const std::string& name : pieces_) drop_work_file(name);
  }
  pieces_.clear();
}

void ExternalSorter::remove_temporary() {
  // Temporary scratch that could not be removed is left for the next run's clean-up.
  for (const std::string& name : temporary_) ignore_result(remove_file(native_path(name)));
  temporary_.clear();
}

bool ExternalSorter::make_file(std::string& name, File& file) {
  if (!scratch_.temporary) return file.open(native_path(name), File::Mode::kCreate);
  // The pieces' prefix names the folder and the stem of the scratch files.
  const std::string prefix = native_path(scratch_.pieces);
  const std::string folder = parent_path(prefix);
  const std::string_view stem = std::string_view(prefix).substr(folder.empty() ? 0 : folder.size() + 1);
  if (!create_scratch_file(folder, stem, temporary_number_, file, name)) return false;
  temporary_.push_back(name);
  return true;
}

bool ExternalSorter::make_piece(File& file) {
  std::string name = piece_of(scratch_, pieces_.size() + 1);
  if (!make_file(name, file)) return false;
  pieces_.push_back(name);
  return true;
}

bool ExternalSorter::write_piece() {
  if (!limits_.beside) {
    run_.sort();
    File f;
    if (make_piece(f)) static_cast<void>(run_.write(f));
    run_.clear();
    if (IoResult written = f.close(); !written) {
      failures_.note(written);
      failed_ = true;
    }
    return !failed_;
  }
  // One piece at a time beside: the one before must be written first.
  finish_piece();
  if (failed_) {
    run_.clear();
    return false;
  }
  std::swap(run_, spare_);
  run_.clear();
  piece_file_ = File();
  const bool made = make_piece(piece_file_);
  // The task touches only the spare piece, its file and its outcome.
  piece_task_ = std::make_unique<SideTask>([this, made] {
    spare_.sort();
    if (made) static_cast<void>(spare_.write(piece_file_));
    spare_.clear();
    piece_written_ = piece_file_.close();
  });
  return true;
}

void ExternalSorter::finish_piece() {
  if (!piece_task_) return;
  piece_task_->wait();
  piece_task_.reset();
  if (!piece_written_) {
    failures_.note(piece_written_);
    failed_ = true;
  }
}

void ExternalSorter::add(std::string_view line) {
  if (failed_) return;
  run_.add(line);
  if (run_.held() >= limits_.piece_bytes) write_piece();
}

SortOutcome ExternalSorter::sort_from(LineReader& reader) {
  reader.report_to(failures_);
  std::string line;
  while (reader.next(line) && !failed_) add(line);
  reader.close();
  if (failures_.any()) return SortOutcome::kFailed;
  return finish();
}

SortOutcome ExternalSorter::open_merge_output(std::string& merged, File& out, std::size_t pieces) {
  merged = scratch_.merged;
  if (make_file(merged, out)) return SortOutcome::kSorted;
  merged_files_ = pieces;
  merge_output_failure_ = out.close();
  return SortOutcome::kNoMergeOutput;
}

SortOutcome ExternalSorter::merge_down() {
  if (run_.size() > 0) write_piece();
  finish_piece();
  run_ = LineRun();
  spare_ = LineRun();
  if (failed_) return SortOutcome::kFailed;
  // Each pass merges the first fan_in pieces into one, which takes their
  // place, until one pass can take them all. Work-folder pieces keep their
  // numbering from 1: the rest move down behind the merged one.
  const std::size_t fan_in = std::max<std::size_t>(limits_.fan_in, 2);
  while (pieces_.size() > fan_in) {
    const std::vector<std::string> sources(pieces_.begin(), pieces_.begin() + static_cast<std::ptrdiff_t>(fan_in));
    std::string merged;
    File out;
    if (SortOutcome made = open_merge_output(merged, out, fan_in); made != SortOutcome::kSorted) return made;
    if (SortOutcome pass = outcome_of(merge_runs(sources, out, failures_)); pass != SortOutcome::kSorted) return pass;
    for (const std::string& done : sources) {
      if (IoResult removed = remove_file(native_path(done)); !removed) {
        failures_.note(removed);
        return SortOutcome::kFailed;
      }
      temporary_.erase(std::remove(temporary_.begin(), temporary_.end(), done), temporary_.end());
    }
    pieces_.erase(pieces_.begin(), pieces_.begin() + static_cast<std::ptrdiff_t>(fan_in));
    pieces_.insert(pieces_.begin(), merged);
    if (scratch_.temporary) continue;
    for (std::size_t i = 1; i < pieces_.size(); ++i) {
      const std::string lower = piece_of(scratch_, i + 1);
      if (IoResult moved = rename_path(native_path(pieces_[i]), native_path(lower)); !moved) {
        failures_.note(moved);
        return SortOutcome::kFailed;
      }
      pieces_[i] = lower;
    }
    if (IoResult moved = rename_path(native_path(merged), native_path(piece_of(scratch_, 1))); !moved) {
      failures_.note(moved);
      return SortOutcome::kFailed;
    }
    pieces_[0] = piece_of(scratch_, 1);
  }
  return SortOutcome::kSorted;
}

SortOutcome ExternalSorter::finish() {
  finish_piece();
  if (failed_) return SortOutcome::kFailed;
  if (pieces_.empty()) {
    // A single piece is the sorted result as it stands; no lines give an
    // empty output.
    run_.sort();
    File f;
    if (f.open(native_path(output_), File::Mode::kCreate)) static_cast<void>(run_.write(f, key_bytes_));
    run_ = LineRun();
    IoResult written = f.close();
    failures_.note(written);
    return written ? SortOutcome::kSorted : SortOutcome::kFailed;
  }
  if (SortOutcome down = merge_down(); down != SortOutcome::kSorted) return down;
  std::string merged;
  File out;
  if (SortOutcome made = open_merge_output(merged, out, pieces_.size()); made != SortOutcome::kSorted) return made;
  // The last pass writes the output, without the keys.
  if (SortOutcome last = outcome_of(merge_runs(pieces_, out, failures_, key_bytes_)); last != SortOutcome::kSorted) {
    return last;
  }
  if (IoResult moved = rename_path(native_path(merged), native_path(output_)); !moved) {
    failures_.note(moved);
    return SortOutcome::kFailed;
  }
  temporary_.erase(std::remove(temporary_.begin(), temporary_.end(), merged), temporary_.end());
  remove_temporary();
  drop_merged_pieces();
  return SortOutcome::kSorted;
}

SortOutcome ExternalSorter::finish(const std::function<void(std::string_view)>& each) {
  finish_piece();
  if (failed_) return SortOutcome::kFailed;
  if (pieces_.empty()) {
    run_.sort();
    run_.each([&](std::string_view line) { each(line.substr(std::min(key_bytes_, line.size()))); });
    run_ = LineRun();
    return SortOutcome::kSorted;
  }
  if (SortOutcome down = merge_down(); down != SortOutcome::kSorted) return down;
  const SortOutcome merged = merge_into(pieces_, key_bytes_, failures_, each);
  remove_temporary();
  if (merged == SortOutcome::kSorted) drop_merged_pieces();
  return merged;
}

SortOutcome ExternalSorter::finish_pieces() {
  finish_piece();
  if (failed_) return SortOutcome::kFailed;
  return merge_down();
}

Flow settle_merge(Console& console, SortOutcome outcome) {
  if (outcome == SortOutcome::kSorted) return Flow::kGoOn;
  if (outcome == SortOutcome::kOutOfOrder) console.write_line("sort error");
  return Flow::kEnd;
}

Flow ExternalSorter::settle(Console& console, SortOutcome outcome) const {
  switch (outcome) {
    case SortOutcome::kSorted:
    case SortOutcome::kFailed:
    case SortOutcome::kOutOfOrder: return settle_merge(console, outcome);
    case SortOutcome::kNoMergeOutput:
      console.write_line("---------- sort error ----------");
      console.write_line("number of files > file.max");
      console.write_line("file.max = " + format_signed(static_cast<long long>(merged_files_)));
      console.write_line("sort.input$ = " + input_);
      console.write_line("sort.output$ = " + output_);
      console.write_line("file.name.02$ = " + scratch_.merged);
      console.write_line("file.num.02 = " + format_signed(0));
      break;
  }
  return Flow::kEnd;
}

SortOutcome merge_pieces(const SortScratch& scratch, std::size_t key_bytes, IoFailures& failures,
                         const std::function<void(std::string_view)>& each, bool beside) {
  std::vector<std::string> pieces;
  while (path_exists(native_path(piece_of(scratch, pieces.size() + 1)))) {
    pieces.push_back(piece_of(scratch, pieces.size() + 1));
  }
  if (!beside) return merge_into(pieces, key_bytes, failures, each);
  // The task merges into the handoff with a failure record of its own;
  // the caller hands the lines on as they come.
  LineHandoff handoff;
  IoFailures merge_failures;
  SortOutcome merged = SortOutcome::kSorted;
  SideTask merge(
      [&] {
        merged = merge_into(pieces, key_bytes, merge_failures, [&](std::string_view line) { handoff.put(line); });
        handoff.close();
      },
      SideTask::Alone::kSkip);
  if (!merge.beside()) return merge_into(pieces, key_bytes, failures, each);
  std::vector<std::string_view> lines;
  while (handoff.take(lines)) {
    for (std::string_view line : lines) each(line);
  }
  merge.wait();
  failures.note_all(merge_failures);
  return merged == SortOutcome::kSorted && failures.any() ? SortOutcome::kFailed : merged;
}

void drop_pieces(const SortScratch& scratch) {
  for (std::size_t n = 1; path_exists(native_path(piece_of(scratch, n))); ++n) drop_work_file(piece_of(scratch, n));
}

std::uint64_t pieces_bytes(const SortScratch& scratch) {
  std::uint64_t bytes = 0;
  DirEntry entry;
  for (std::size_t n = 1; entry_info(native_path(piece_of(scratch, n)), entry); ++n) bytes += entry.size;
  return bytes;
}

}  // namespace textpair
