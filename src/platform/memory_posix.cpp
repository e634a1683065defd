#include "platform/memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace textpair {

void keep_freed_memory() {
#if defined(__GLIBC__)
  // Blocks below 32 MiB come from the heap, and up to 256 MiB of freed heap
  // stay with the process.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

}  // namespace textpair
