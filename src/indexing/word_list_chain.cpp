#include "indexing/word_list_chain.h"

#include <cstdint>
#include <memory>
#include <string>

#include "commands/file_match.h"
#include "common/bytes.h"
#include "common/external_sort.h"
#include "common/lines.h"
#include "common/scratch_file.h"
#include "common/word_records.h"
#include "indexing/first_group_word_order.h"
#include "indexing/group_lists.h"
#include "indexing/next_pages.h"
#include "indexing/occurrence_numbers.h"
#include "indexing/occurrences_in_text_order.h"
#include "indexing/page_groups.h"
#include "indexing/word_extraction.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "prompts/prompts.h"
#include "steps/folders.h"
#include "steps/sort_file.h"

namespace textpair {

namespace {

// The most keyed records the extraction's pieces can hold.
std::uint64_t most_keyed_records() { return pieces_bytes(kKeyedPieces) / keyed_record::kLeastBytes; }

// In a normal run a single page file holds every word. With at most two
// page files group 1 takes every record, and its word-order list can be
// written as the records are numbered: key order is then id order, as long
// as every id has its fixed number of digits.
bool all_in_first_group(const std::string& page_list, std::uint64_t most_records, IoFailures& failures) {
  // Without the list the general way is taken, which gives the same lists;
  // a list that is there must be read whole.
  LineReader names;
  if (!names.open(page_list)) return false;
  names.report_to(failures);
  std::string name;
  int pages = 0;
  while (names.next(name)) {
    if (lower_ascii(name).find(".htm") != std::string::npos) ++pages;
  }
  return pages <= 2 && most_records < kFixedWidthIds;
}

// The wrd_24 folder keeps the group files after the run. They are moved
// there, not copied: the work folder's own would only be deleted at the end,
// and the site's pages are made from the ones in the folder.
void move_to_folder(Console& console, IoFailures& failures) {
  reset_folder(console, failures, {.folder = "wrd_24", .listing = "dir_01.txt", .files = "*.txt"});
  for (const DirEntry& e : matching_entries(read_file_argument("wrd_24*.txt"), false, failures)) {
    failures.note(rename_path(native_path(e.name), join_path(native_path("wrd_24"), e.name)));
  }
}

// Numbers the occurrences and splits them into the groups' lists; the
// pages' grouping in `grouping`.
Flow numbered_group_lists(Console& console, IoFailures& failures, PageGrouping& grouping, std::size_t window_words) {
  NextPages nexts;
  clear_sort_pieces(console, failures);
  const std::uint64_t most_records = most_keyed_records();
  const bool one_group = all_in_first_group("dir_02.txt", most_records, failures);
  std::unique_ptr<FirstGroupWordOrder> first_group;
  if (one_group) first_group = std::make_unique<FirstGroupWordOrder>(console, failures, "wrd_14_1.txt");
  // The words in text order, as the extraction left them, are given their
  // ids and numbers in place: a run small enough to hold them (a slot for
  // each record the pieces can hold; every ordinal is below that) notes
  // them as they are numbered; a larger one writes them into windows of
  // ordinals, read back one at a time.
  std::unique_ptr<TextOrderSlots> slots;
  std::unique_ptr<NumberedWindows> windows;
  if (most_records <= window_words) {
    slots = std::make_unique<TextOrderSlots>(static_cast<std::size_t>(most_records));
  } else {
    windows = std::make_unique<NumberedWindows>(failures, window_words);
  }
  const NumberedOccurrences out{.windows = windows.get(), .slots = slots.get(), .first_group = first_group.get()};
  if (number_occurrences(console, failures, kKeyedPieces, nexts, out) == Flow::kEnd) return Flow::kEnd;
  drop_pieces(kKeyedPieces);
  first_group.reset();
  if (slots) slots->flush();
  if (windows) windows->close();
  if (failures.any()) return Flow::kEnd;
  GroupSplit split(console, failures, nexts, grouping, one_group);
  const Flow split_flow = slots ? split_placed(kTextOrderWords, nexts, *slots, split, failures)
                                : split_windowed(kTextOrderWords, nexts, *windows, split, failures);
  if (split_flow == Flow::kEnd) return Flow::kEnd;
  drop_work_file(kTextOrderWords);
  slots.reset();
  return split.finish();
}

}  // namespace

Flow build_word_lists(Context& ctx, std::size_t window_words) {
  Console& console = ctx.console;
  IoFailures& failures = ctx.state.failures;
  // The words came sorted by their keys from the extraction.
  progress(console, 10);
  progress(console, 20);

  PageGrouping grouping;
  if (numbered_group_lists(console, failures, grouping, window_words) == Flow::kEnd) return Flow::kEnd;
  progress(console, 30);

  write_page_groups(grouping, "group_page_all.txt", "group_search_", failures);
  if (sort_file(console, failures, "group_page_all.txt", "group_page_all_sort.txt") == Flow::kEnd) return Flow::kEnd;
  progress(console, 40);

  ctx.state.group_count = static_cast<int>(grouping.groups().size());
  progress(console, 50);
  move_to_folder(console, failures);
  return Flow::kGoOn;
}

}  // namespace textpair
