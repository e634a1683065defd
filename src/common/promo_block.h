// The promotional block about the program: the same seventeen lines in the
// comparison page (below its head) and in the word index pages.
#ifndef TEXTPAIR_COMMON_PROMO_BLOCK_H_
#define TEXTPAIR_COMMON_PROMO_BLOCK_H_

#include "common/lines.h"

namespace textpair {

// Writes the block, each line ended by CR LF; its link names the publisher.
void write_promo_block(LineWriter& out);

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_PROMO_BLOCK_H_
