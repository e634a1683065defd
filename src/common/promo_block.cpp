#include "common/promo_block.h"

#include <string>

#include "common/run_state.h"

namespace textpair {

void write_promo_block(LineWriter& out) {
  static constexpr const char* kLines[] = {
      "<br>",
      "<br> <b> PROMOTE YOUR BRAND WITH OUR PROGRAM </b>",
      "<br>",
      "<br> Our program are intended for companis who want to consolidate their brand through free "
      "distribution of the program.",
      "<br> Advertising messages and search links in the program are tailored to each customer "
      "individually.",
      "<br>",
      "<br> PLACEMENT OF ADVERTISING MESSAGES",
      "<br> The program reads advertising messages from the web address specified by the buyer when "
      "ordering.",
      "<br> Advertisement messages are placed in the all-words index and other output files.",
      "<br>",
      "<br> GOOGLE SEARCH PHRASES",
      "<br> The program generates Google search strings for all words in the all-words index and target "
      "the web address specified by the buyer when ordering.",
      "<br>",
      "<br> Remember: the all-words index file is accessible while reading output file, just by "
      "double-clicking on any word.",
      "<br> More info at:",
  };
  for (const char* line : kLines) out.line(line);
  const std::string address = publisher_address();
  out.line("<br> <a href=\"" + address + "\">" + address + "</a>");
  out.line("<br>");
}

}  // namespace textpair
