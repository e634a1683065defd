#include "platform/memory.h"

namespace textpair {

// The Windows heap keeps freed blocks for reuse by itself.
void keep_freed_memory() {}

}  // namespace textpair
