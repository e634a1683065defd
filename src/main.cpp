// textpair: sets two texts side by side and builds a browsable word index
// site of them in htm_out.
#include "driver/run.h"
#include "driver/work_folder_path.h"
#include "platform/console.h"
#include "platform/memory.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  textpair::keep_freed_memory();
  std::unique_ptr<textpair::Console> console = textpair::open_standard_console();
  if (textpair::check_work_folder_path(*console) == textpair::Flow::kEnd) return 0;
  return textpair::run(*console, textpair::invocation_name(argc, argv));
}
