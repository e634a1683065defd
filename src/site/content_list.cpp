#include "site/content_list.h"

#include "common/lines.h"
#include "site/page_parts.h"

namespace textpair {

void write_content_list(Context& ctx) {
  LineWriter out;
  out.create("files_list.htm");
  write_page_head(out, kIndexTitle);
  write_intro_block(out);
  out.line("<br>");
  LineReader pages("group_page_all_sort.txt", ctx.state.failures);
  std::string name;
  while (pages.next(name)) {
    out.line("<a href=\"" + name + "\"><span id = \"" + name + "\" >" + name + "</span></a><br>");
  }
  out.line("<br><br>");
  out.line("</body>");
  out.line("</html>");
  ctx.state.failures.note(out.close());
}

}  // namespace textpair
