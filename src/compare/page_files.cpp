#include "compare/page_files.h"

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "common/number_pattern.h"
#include "platform/console.h"
#include "prompts/prompts.h"

namespace textpair {

namespace {

// The number on the last line of count.txt.
long long stale_page_count(IoFailures& failures) {
  LineReader reader("count.txt", failures);
  std::string line;
  std::string last;
  while (reader.next(line)) last = line;
  return read_number(last);
}

Flow stale_page(Console& console) {
  console.write_line(kDashes);
  console.write_line("error at reading *.htm");
  console.empty_line();
  console.write_line("The file must be deleted first, completely created and read.");
  console.empty_line();
  return end_prompt(console);
}

long long count_pages(const std::string& listing, IoFailures& failures) {
  LineReader reader(listing, failures);
  std::string line;
  long long count = 0;
  while (reader.next(line)) {
    if (contains(lower_ascii(line), ".htm")) ++count;
  }
  return count;
}

}  // namespace

IoResult copy_without_control_bytes(const std::string& from, const std::string& to) {
  LineWriter out;
  out.create(to);
  LineReader in(from);
  // Runs of kept bytes go out from the reader's buffer, a long line in
  // pieces.
  std::string_view piece;
  bool ends = true;
  while (in.next_piece(piece, ends, kLinePieceBytes)) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= piece.size(); ++i) {
      if (i < piece.size() && static_cast<unsigned char>(piece[i]) >= 16) continue;
      out.raw(piece.substr(start, i - start));
      start = i + 1;
    }
    if (ends) out.raw("\r\n");
  }
  IoResult written = out.close();
  return in.status().ok() ? written : in.status();
}

Flow write_page_files(Context& ctx) {
  Console& console = ctx.console;
  run_command(ctx.console, ctx.state.failures, "dir > txt_in\\out.null.html");
  run_command(ctx.console, ctx.state.failures, "del /q txt_in\\*.htm* > out_null.list");
  run_command(ctx.console, ctx.state.failures, "copy /y htm_wrk\\*.htm* txt_in\\ > out_null.list");

  run_command(ctx.console, ctx.state.failures, "dir > f_01.html");
  run_command(ctx.console, ctx.state.failures, "del /q *.htm* > out_null.list");
  run_command(ctx.console, ctx.state.failures, "dir *.htm | find /c \".htm\" > count.txt");
  if (stale_page_count(ctx.state.failures) >= 1) return stale_page(console);

  run_command(ctx.console, ctx.state.failures, "dir > htm_in\\f_01.html");
  run_command(ctx.console, ctx.state.failures, "del /q htm_in\\*.htm* > out_null.list");
  run_command(ctx.console, ctx.state.failures,
              "cmd /c for %i in (txt_in) do copy %i\\*.htm* htm_in\\ >> out_null.list");

  ctx.state.highlight = HighlightSettings{"red", "140%", true};

  run_command(ctx.console, ctx.state.failures, "dir /b htm_in\\*.htm* > dir_01.txt");
  ctx.state.number_pattern =
      number_pattern_for(count_pages("dir_01.txt", ctx.state.failures), ctx.state.number_pattern);

  LineReader listing("dir_01.txt", ctx.state.failures);
  std::string line;
  long long k = 0;
  while (listing.next(line)) {
    std::string name = lower_ascii(line);
    std::size_t htm = name.find(".htm");
    if (htm == std::string::npos) continue;
    ++k;
    // Straight into the page file: a scratch copy beside it would only be
    // written once more and deleted at the end.
    std::string page = "page_" + format_with_pattern(k, ctx.state.number_pattern) + ".htm";
    ctx.state.failures.note(copy_without_control_bytes("htm_in\\" + name, page));
  }
  return Flow::kGoOn;
}

}  // namespace textpair
