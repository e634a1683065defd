// Allocator tuning for a run that allocates and frees the same large buffers
// again and again (sort pieces, line buffers): freed memory is kept for
// reuse instead of being handed back to the system and mapped afresh.
#ifndef TEXTPAIR_PLATFORM_MEMORY_H_
#define TEXTPAIR_PLATFORM_MEMORY_H_

namespace textpair {

// Called once at start-up.
void keep_freed_memory();

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_MEMORY_H_
