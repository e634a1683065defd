#include "site/page_parts.h"

#include <cstdio>

namespace textpair {

namespace {

std::string two_digits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

}  // namespace

void write_page_head(LineWriter& out, std::string_view title_line) {
  out.line("<html>");
  out.line("<br>");
  out.line("<head>");
  out.line("<br>");
  out.line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
  out.line("<br>");
  out.line(title_line);
  out.line("<br>");
  out.line("</head>");
  out.line("<br>");
  out.line("<body>");
}

std::string date_line(const LocalTime& t) {
  char year[16];
  std::snprintf(year, sizeof year, "%04d", t.year);
  return "Date (mm-dd-yy) = " + two_digits(t.month) + "-" + two_digits(t.day) + "-" + year + "<br>";
}

std::string time_line(const LocalTime& t) {
  return "Time (h:m:s)    = " + two_digits(t.hour) + ":" + two_digits(t.minute) + ":" + two_digits(t.second) + "<br>";
}

void write_intro_block(LineWriter& out) {
  const std::string address = publisher_address();
  out.line("<br>");
  out.line("QUICK AND EASY INFORMATION SEARCH");
  out.line("<br>");
  out.line(
      "We offer users a fast and efficient way to search for information in input files, and they can also "
      "continue their search with the help of program-defined Google search phrases.");
  out.line("<br>");
  out.line("Just double-clicking on any word is enough to access the index of all words.");
  out.line("<br>");
  out.line("<br>");
  out.line("Details:");
  out.line("<br>");
  out.line("<a href=\"" + address + "\">" + address + "</a>");
  out.line("<br><br>");
  const LocalTime now = local_time_now();
  out.line(date_line(now));
  out.line(time_line(now));
}

void write_highlight_script(LineWriter& out, const HighlightSettings& highlight) {
  out.line("<script language=\"javascript\">");
  out.line("if (history.length > 0)");
  out.line("{");
  out.line("document.writeln(\"<style type=\\\"text/css\\\">\");");
  out.line("document.writeln(self.location.hash + \" { color: " + highlight.colour + " } \");");
  out.line("document.writeln(self.location.hash + \" { font-size: " + highlight.size + " } \");");
  out.line("document.writeln(self.location.hash + \" { font-weight: bold } \");");
  if (highlight.inline_switch) out.line("document.writeln(self.location.hash + \" { display: inline } \");");
  out.line("document.writeln(\"</style>\");");
  out.line("}");
  out.line("</script>");
}

}  // namespace textpair
