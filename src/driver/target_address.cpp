#include "driver/target_address.h"

#include "common/bytes.h"
#include "platform/console.h"
#include "prompts/prompts.h"

namespace textpair {

namespace {

struct WebPrefix {
  std::string_view in_name;
  std::string_view address_start;
};
constexpr WebPrefix kWebPrefixes[] = {
    {"www.", "www."},
    {"http.", "http://"},
    {"https.", "https://"},
};

void show_rename_screen(Console& console) {
  console.empty_line();
  console.write_line(kDashes);
  console.write_line(
      "The program creates Google search queries that point to (your) website, which is summarized in the "
      "program name.");
  console.write_line(
      "Therefore, you must rename the program according to the name of (your) website, but the condition is "
      "that the");
  console.write_line(
      "new program name begins with www...(like www.example.com.exe), http...(like http.example.com.exe, or "
      "https...(like https.example.com.exe)");
  console.write_line("BE CAREFUL AND COPY AND RENAME THE PROGRAM ACCORDING TO THE INSTRUCTIONS!");
  console.write_line(kDashes);
  console.empty_line();
}

}  // namespace

std::optional<std::string> target_address_from(std::string_view invocation_path) {
  // A program typed without its extension ("www.site.example" at a Windows
  // prompt) has none in argument zero; only a real ".exe" is dropped.
  std::string name = lower_ascii(trim_blanks(invocation_path));
  if (name.ends_with(".exe")) name.resize(name.size() - 4);
  for (const WebPrefix& prefix : kWebPrefixes) {
    std::size_t last = name.rfind(prefix.in_name);
    if (last == std::string::npos) continue;
    return std::string(prefix.address_start) + name.substr(last + prefix.in_name.size());
  }
  return std::nullopt;
}

Flow set_target_address(Context& ctx) {
  std::optional<std::string> address = target_address_from(ctx.state.invocation_path);
  if (!address) {
    show_rename_screen(ctx.console);
    return end_prompt(ctx.console);
  }
  ctx.state.target_address = *address;
  ctx.console.write_line(kDashes);
  ctx.console.write_line("url.publisher.02$ = " + *address);
  ctx.console.empty_line();
  return Flow::kGoOn;
}

}  // namespace textpair
