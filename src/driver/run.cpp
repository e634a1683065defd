#include "driver/run.h"

#include "commands/run_command.h"
#include "common/run_state.h"
#include "common/side_task.h"
#include "compare/comparison_page.h"
#include "compare/page_files.h"
#include "driver/ads.h"
#include "driver/startup_screens.h"
#include "driver/target_address.h"
#include "driver/tool_checks.h"
#include "indexing/word_extraction.h"
#include "indexing/word_list_chain.h"
#include "input/file_choice.h"
#include "input/intake.h"
#include "input/working_copies.h"
#include "platform/console.h"
#include "platform/run_lock.h"
#include "prompts/prompts.h"
#include "site/all_words_index.h"
#include "site/annotated_pages.h"
#include "site/content_list.h"
#include "site/publish.h"
#include "site/search_pages.h"
#include "site/word_index.h"

namespace textpair {

namespace {

// A group's pages. Its annotated pages, the largest, are written here;
// its word index page (with the content list, for group 1) and its search
// page are written beside them, on the other core. Those read only the
// group's lists and values of the run that no page changes, write files of
// their own, and alone use the counts of the index pages and the run's
// random sequence: they work on a copy of the run state, whose counts,
// sequence and failures come back once they are done.
void write_group_pages(Context& ctx, int group) {
  RunState side_state = ctx.state;
  side_state.failures = IoFailures();
  Context side_ctx{ctx.console, side_state};
  SideTask side([&] {
    // The content list lists every page of every group: it is written once,
    // beside the first group's word index page.
    if (group == 1) write_content_list(side_ctx);
    write_word_index_page(side_ctx, group);
    write_search_page(side_ctx, group);
  });
  annotate_group(ctx, group);
  side.wait();
  ctx.state.entries_since_promo = side_state.entries_since_promo;
  ctx.state.ad_index = side_state.ad_index;
  ctx.state.rand = side_state.rand;
  ctx.state.failures.note_all(side_state.failures);
}

Flow build_index_site(Context& ctx) {
  for (int group = 1; group <= ctx.state.group_count; ++group) {
    write_group_pages(ctx, group);
    if (check_work_written(ctx) == Flow::kEnd) return Flow::kEnd;
  }
  if (write_all_words_index(ctx) == Flow::kEnd) return Flow::kEnd;
  return check_work_written(ctx);
}

// A phase's hand-over, then the check that its work was written and read
// whole; a phase that ended because a file failed it ends with that screen.
Flow after_phase(Context& ctx, Flow flow) {
  if (check_work_written(ctx) == Flow::kEnd) return Flow::kEnd;
  return flow;
}

void show_busy_screen(Console& console) {
  console.write_line(kDashes);
  console.write_line("The program is already running in this folder.");
  console.write_line("This start ends without touching a file, so that the two runs do not spoil each other's work.");
  console.write_line("Wait until the other run has ended (or close its window), then start the program again.");
  console.empty_line();
  any_key_prompt(console, "<...> any key to continue and end");
}

Flow run_phases(Context& ctx) {
  Console& console = ctx.console;
  IoFailures& failures = ctx.state.failures;
  run_command(console, failures, "chcp");
  console.write_line(kModuleName);
  console.empty_line();
  console.write_line(ctx.state.invocation_path);

  if (set_target_address(ctx) == Flow::kEnd) return Flow::kEnd;
  delete_old_ads(ctx);
  if (show_startup_screens(ctx) == Flow::kEnd) return Flow::kEnd;
  if (check_tools(ctx) == Flow::kEnd) return Flow::kEnd;
  if (fetch_ads(ctx) == Flow::kEnd) return Flow::kEnd;
  // From here on every phase leaves work files; each is checked.
  if (after_phase(ctx, take_in_inputs(ctx)) == Flow::kEnd) return Flow::kEnd;
  set_up_folders(ctx);
  if (after_phase(ctx, choose_files(ctx)) == Flow::kEnd) return Flow::kEnd;
  if (after_phase(ctx, make_working_copies(ctx)) == Flow::kEnd) return Flow::kEnd;
  if (after_phase(ctx, write_comparison_page(ctx)) == Flow::kEnd) return Flow::kEnd;
  if (after_phase(ctx, write_page_files(ctx)) == Flow::kEnd) return Flow::kEnd;

  console.empty_line();
  console.write_line("============ INDEXING ===========");
  console.empty_line();
  progress(console, 1);
  if (after_phase(ctx, extract_words(ctx)) == Flow::kEnd) return Flow::kEnd;
  if (after_phase(ctx, build_word_lists(ctx)) == Flow::kEnd) return Flow::kEnd;
  if (build_index_site(ctx) == Flow::kEnd) return Flow::kEnd;
  // Publishing checks its own copies before it deletes the originals.
  return publish_and_show_results(ctx);
}

}  // namespace

Flow check_work_written(Context& ctx) {
  const IoFailures& failures = ctx.state.failures;
  if (!failures.any()) return Flow::kGoOn;
  // No clean-up: what was written stays for the user.
  Console& console = ctx.console;
  console.write_line(kDashes);
  if (failures.first_kind() == FailureKind::kRead) {
    console.write_line("A file of the work folder could not be read.");
    console.write_line(failures.first().describe());
    console.write_line("Check the disk, then start the program again.");
  } else {
    console.write_line("The work folder could not be written completely.");
    console.write_line(failures.first().describe());
    console.write_line("Check the free space on the disk.");
  }
  console.empty_line();
  any_key_prompt(console, "<...> any key to continue and end");
  return Flow::kEnd;
}

int run(Console& console, const std::string& invocation_path) {
  RunLock lock;
  if (!lock.acquire()) {
    show_busy_screen(console);
    return 0;
  }
  RunState state;
  state.invocation_path = invocation_path;
  Context ctx{console, state};
  // What an interrupted run left in the hold folder goes back first.
  put_back_held_files(ctx);
  if (check_work_written(ctx) == Flow::kEnd) return 0;
  run_phases(ctx);
  return 0;
}

}  // namespace textpair
