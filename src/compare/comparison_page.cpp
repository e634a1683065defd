#include "compare/comparison_page.h"

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "common/promo_block.h"
#include "platform/console.h"
#include "prompts/prompts.h"

namespace textpair {

namespace {

void write_head(LineWriter& page, const std::string& table_width) {
  const std::string head[] = {
      "<HTML>",  "<head>",      "<meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">",
      "<title>", "compare.htm", "</title>",
      "</head>", "<body>",      "<br>",
  };
  for (const std::string& line : head) page.line(line);
  write_promo_block(page);
  const std::string table[] = {
      "<br><br>",
      "<b>Just double-clicking on any word is enough to access the index of all words (full-text search).</b>",
      "<table style=\"width:" + table_width + "\">",
      "<tr>",
      "<td>",
  };
  for (const std::string& line : table) page.line(line);
}

// The next name of txt_wrk.list; false when the line is missing or names
// no text file.
bool next_name(LineReader& list, std::string& name) {
  std::string line;
  if (!list.next(line) || !contains_nocase(line, ".txt")) return false;
  name = trim_blanks(line);
  return true;
}

Flow missing_file(Console& console) {
  console.empty_line();
  console.write_line(kDashes);
  console.write_line("Check the contents of the txt_wrk subfolder.");
  console.write_line("Must contain a 2 *.txt file.");
  console.empty_line();
  any_key_prompt(console, "<...> any key to continue and end");
  return Flow::kEnd;
}

}  // namespace

void write_column(LineWriter& page, const std::string& file, IoFailures& failures) {
  LineReader reader(file, failures);
  // The table's line for one input line: " <br>" and the line trimmed of
  // blanks, nothing else changed; a long line is read and written in pieces.
  std::string_view piece;
  bool ends = true;
  BlankTrimmer trimmed;
  for (bool starts = true; reader.next_piece(piece, ends, kLinePieceBytes); starts = ends) {
    if (starts) page.raw(" <br>");
    trimmed.piece(piece, page);
    if (ends) trimmed.end_line(page);
  }
}

Flow write_comparison_page(Context& ctx) {
  Console& console = ctx.console;
  LineReader list("txt_wrk.list", ctx.state.failures);
  std::string name;
  if (!next_name(list, name)) return missing_file(console);

  LineWriter page;
  page.create("compare.htm");
  write_head(page, ctx.state.table_width);
  write_column(page, "txt_wrk\\" + name, ctx.state.failures);
  page.line("</td>");
  if (!next_name(list, name)) {
    ctx.state.failures.note(page.close());
    return missing_file(console);
  }
  page.line("<td>");
  write_column(page, "txt_wrk\\" + name, ctx.state.failures);
  for (const char* line : {"</td>", "</tr>", "</table>", "<br>", "</body>", "</html>"}) page.line(line);
  ctx.state.failures.note(page.close());
  list.close();
  run_command(ctx.console, ctx.state.failures, "copy /y compare.htm htm_wrk\\compare.htm > out_null.list");
  return Flow::kGoOn;
}

}  // namespace textpair
