#include "driver/startup_screens.h"

#include <string>

#include "platform/console.h"
#include "prompts/prompts.h"

namespace textpair {

namespace {

void write_lines(Console& console, std::initializer_list<std::string_view> lines) {
  for (std::string_view line : lines) console.write_line(line);
}

Flow terms_of_use(Context& ctx) {
  Console& console = ctx.console;
  console.write_line(ctx.state.invocation_path);
  console.empty_line();
  console.write_line(kEquals);
  console.empty_line();
  write_lines(
      console,
      {
          "THE PROGRAM ALLOWS SIMULTANEOUS INDEXING OF TWO (2) TXT FILES AND COMPARISON NEXT TO EACH OTHER IN TWO "
          "COLUMNS.",
          "",
          "We also used the program convertcp.exe",
          "Info:https://sourceforge.net/p/convertcp/wiki/Home/",
          "We also used the program wget.exe",
          "Info:https://www.gnu.org/software/wget/",
          "",
      });
  console.write_line(std::string("Program name:") + kModuleName + ".exe");
  write_lines(console,
              {
                  "Terms of use:",
                  "The author of the program is not responsible for any direct or indirect damages resulting from any "
                  "errors in the program.",
                  "Users accept this risk and use the program at their own risk.",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "",
              });
  console.write_line(std::string("Info: ") + kPublisherHost);
  console.empty_line();
  console.write_line(kEquals);
  console.write_line("Do you accept the terms of use?");
  console.empty_line();
  return continue_prompt(console, {"<1> yes, continue", "<2> no, end"});
}

// A screen between two dashed lines, answered with continue or end.
Flow instructions(Console& console, std::initializer_list<std::string_view> lines) {
  console.empty_line();
  console.write_line(kDashes);
  write_lines(console, lines);
  console.write_line(kDashes);
  console.empty_line();
  return continue_prompt(console, {"<1> continue", "<2> end"});
}

Flow font_instructions(Console& console) {
  return instructions(console, {
                                   "FONT CONSOLAS OR LUCIDA CONSOLE MUST BE SELECTED IN THE PROGRAM EXECUTION WINDOW.",
                                   "Setting procedure (necessary for correct printing):",
                                   "- move the mouse to the center of the upper bold edge of the execution window;",
                                   "- right mouse click;",
                                   "- select Properties from the drop-down menu;",
                                   "- select the Font tab;",
                                   "- this tab includes the Consolas or Lucida Console font.",
                                   "",
                                   "In the Layout tab, select the size of the execution window.",
                                   "Selected settings work when the program is restarted.",
                               });
}

Flow install_instructions(Console& console) {
  return instructions(
      console, {
                   "THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.",
                   "During execution, the program creates and also deletes most *.txt and other files.",
                   "",
                   "The TXT files you want to compare must be written in UTF-8 format and copied to the COMPARE_IN "
                   "subfolder.",
                   "The TXT file names must not contain spaces or special characters (ASCII only).",
               });
}

}  // namespace

Flow show_startup_screens(Context& ctx) {
  if (terms_of_use(ctx) == Flow::kEnd) return Flow::kEnd;
  if (font_instructions(ctx.console) == Flow::kEnd) return Flow::kEnd;
  if (install_instructions(ctx.console) == Flow::kEnd) return Flow::kEnd;
  ctx.console.empty_line();
  return Flow::kGoOn;
}

}  // namespace textpair
