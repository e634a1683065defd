#include "driver/ads.h"

#include "commands/run_command.h"
#include "common/bytes.h"
#include "common/lines.h"
#include "platform/console.h"
#include "prompts/prompts.h"

namespace textpair {

namespace {

constexpr const char* kDeleteOldAds = "cmd /c for %i in (oglasi_wget\\oglasi*.*) do del /q %i > out_null.list";

bool is_ad_line(const std::string& line) { return contains(lower_ascii(line), "<p>"); }

}  // namespace

std::string ads_page_address() { return std::string(kPublisherHost) + "/oglasi/oglasi.htm"; }

void delete_old_ads(Context& ctx) { run_command(ctx.console, ctx.state.failures, kDeleteOldAds); }

std::vector<std::string> read_ad_lines(const std::string& listing, IoFailures& failures) {
  std::vector<std::string> ads(1);
  // A listing the command could not write is reported by the fetch failure
  // screen; one that is there must be read whole.
  LineReader reader;
  if (reader.open(listing)) reader.report_to(failures);
  std::string line;
  while (reader.next(line)) {
    if (is_ad_line(line)) ads.push_back(line);
  }
  return ads;
}

Flow fetch_ads(Context& ctx) {
  Console& console = ctx.console;
  IoFailures& failures = ctx.state.failures;
  run_command(console, failures, kDeleteOldAds);
  run_command(console, failures, "md oglasi_wget  > out_null.list");
  run_command(console, failures, "wget -nv --output-document=oglasi_wget\\oglasi_wget.html " + ads_page_address());
  run_command(console, failures, "find \"<p>\" oglasi_wget\\oglasi_wget.html > oglasi.txt");

  std::vector<std::string> ads = read_ad_lines("oglasi.txt", ctx.state.failures);
  if (ads.size() < 2) {
    console.empty_line();
    console.write_line(kDashes);
    console.write_line("Check your internet connection!");
    console.write_line("Check wget.exe!");
    console.empty_line();
    any_key_prompt(console, "<...> any key to continue and end");
    return Flow::kEnd;
  }
  ctx.state.ad_lines = std::move(ads);

  run_command(console, failures, "cmd /c for %i in (oglasi_wget\\oglasi.*) do del /q %i > out_null.list");
  run_command(console, failures, "del /q oglasi.txt > out_null.list");
  return Flow::kGoOn;
}

}  // namespace textpair
