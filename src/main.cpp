// textpair: sets two texts side by side and builds a browsable word index
// site of them in htm_out.
#include <unistd.h>

#include "driver/run.h"
#include "platform/console.h"
#include "platform/memory.h"

int main(int argc, char** argv) {
  textpair::keep_freed_memory();
  textpair::Console console(STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO);
  return textpair::run(console, argc > 0 ? argv[0] : "");
}
