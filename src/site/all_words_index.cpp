#include "site/all_words_index.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/lines.h"
#include "common/records.h"
#include "common/scratch_file.h"
#include "common/word_records.h"
#include "platform/console.h"
#include "prompts/prompts.h"
#include "site/page_parts.h"

namespace textpair {

namespace {

using namespace word_page_run_record;

std::string list_name(std::size_t k) { return "wrd_14_" + std::to_string(k) + ".txt"; }

// The start of a word's link to a group, into `out`.
void append_entry_start(std::string& out, std::string_view id, std::string_view group_field) {
  const std::string_view g = padded_digits(group_field);
  append_all(out, "&nbsp;&nbsp;<a href=\"i_", g, ".htm#", id, "\" id=\"", id, "\">(i_", g);
}

// Every occurrence of the run in word order, a page's run of a word at a
// time: the groups' lists in word order (wrd_14_K) merged by id, a word's
// groups in their order, each group's records as its list holds them. That
// is the byte order of the occurrences led by id and padded group, so no
// list of all occurrences is written and sorted.
class AllOccurrences {
 public:
  AllOccurrences(std::size_t groups, IoFailures& failures) {
    for (std::size_t k = 1; k <= groups; ++k) {
      auto list = std::make_unique<GroupList>(k, failures);
      list->live = list->in.next();
      lists_.push_back(std::move(list));
    }
  }
  // The next run's id, group field, word and count; false after the last.
  bool next(std::string& id, std::string& group, std::string& word, long long& count) {
    GroupList* least = nullptr;
    for (auto& list : lists_) {
      if (list->live && (least == nullptr || list->in[kId] < least->in[kId])) least = list.get();
    }
    if (least == nullptr) return false;
    id.assign(least->in[kId]);
    group.assign(least->group);
    word.assign(least->in[kWord]);
    count = static_cast<long long>(read_number_field(least->in[kCount]));
    least->live = least->in.next();
    return true;
  }
  void close() { lists_.clear(); }

 private:
  struct GroupList {
    GroupList(std::size_t k, IoFailures& failures) : group(group_field(k)), in(list_name(k), kFieldCount, failures) {}
    std::string group;
    RecordLines in;
    bool live = false;
  };
  std::vector<std::unique_ptr<GroupList>> lists_;
};

long long occurrence_total(std::size_t groups, IoFailures& failures) {
  long long total = 0;
  for (std::size_t k = 1; k <= groups; ++k) {
    RecordLines runs(list_name(k), kFieldCount, failures);
    while (runs.next()) total += static_cast<long long>(read_number_field(runs[kCount]));
  }
  return total;
}

}  // namespace

Flow write_all_words_index(Context& ctx) {
  RunState& state = ctx.state;
  progress(ctx.console, 60);
  const std::size_t groups = state.group_count > 0 ? static_cast<std::size_t>(state.group_count) : 0;
  const long long total = occurrence_total(groups, ctx.state.failures);
  state.word_total = total;
  progress(ctx.console, 70);

  LineWriter out;
  out.create("index.htm");
  write_page_head(out, kIndexTitle);
  write_intro_block(out);
  out.line("<br><br>");
  out.line("Use a combination of two keys (CTRL + F) to search.");
  out.line("<br><br>");

  AllOccurrences all(groups, ctx.state.failures);
  std::string id, group, word;
  std::string next_id, next_group, next_word;
  long long next_count = 0;
  bool more = all.next(next_id, next_group, next_word, next_count);
  if (more) {
    id = next_id;
    group = next_group;
  }
  out.line(next_word);

  // The count of a word in a group is the length of its runs of records.
  long long count = 0;
  long long number = 0;  // the occurrences taken, the current run's first included
  std::string entry;     // the lines of one entry, written at once
  for (; more; more = all.next(next_id, next_group, next_word, next_count)) {
    ++number;
    // Reached at the first occurrence of all, if anywhere.
    if (!state.wrote_80_percent && static_cast<double>(total) / static_cast<double>(number) > 2.0) {
      progress(ctx.console, 80);
      state.wrote_80_percent = true;
    }
    number += next_count - 1;
    if (next_id == id && next_group == group) {
      count += next_count;
      continue;
    }
    entry.clear();
    append_entry_start(entry, id, group);
    entry += ",&nbsp;&nbsp;";
    append_number(entry, count);
    entry += ")</a>\r\n";
    if (next_id != id) {
      append_all(entry, "<br>\r\n", next_word, "\r\n");
      id = next_id;
    }
    out.raw(entry);
    group = next_group;
    count = next_count;
  }
  entry.clear();
  append_entry_start(entry, id, group);
  entry += ")</a>";
  out.line(entry);
  out.line("</body>");
  out.line("</html>");
  ctx.state.failures.note(out.close());
  // This page is the word-order lists' last reader.
  all.close();
  for (std::size_t k = 1; k <= groups; ++k) drop_work_file(list_name(k));
  return Flow::kGoOn;
}

}  // namespace textpair
