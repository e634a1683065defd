// Another program (a virus scanner, the search indexer, a sync client, an
// editor) may hold a file for a moment. An operation that finds its file
// busy is tried again, with growing pauses, for about two seconds, as
// robust tools do; any other failure, or one that outlasts the pauses, is
// handed back as it is.
#ifndef TEXTPAIR_PLATFORM_RETRY_H_
#define TEXTPAIR_PLATFORM_RETRY_H_

#include <functional>

#include "platform/io_result.h"

namespace textpair {

IoResult retry_while_busy(const std::function<IoResult()>& operation);

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_RETRY_H_
