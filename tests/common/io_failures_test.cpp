#include "common/io_failures.h"

#include <gtest/gtest.h>

#include <string>

namespace textpair {
namespace {

// A record kept apart hands over its first failure only when this one has
// none: the run's own first failure stays first.
TEST(IoFailures, NoteAllKeepsTheFirstFailure) {
  const IoResult write_failed = IoResult::failed("s_1.htm", "No space left on device");
  const IoResult read_failed = IoResult::failed("wrd_24/wrd_24_1.txt", "Input/output error");
  struct Case {
    const char* name;
    bool own, apart;
    std::string want;
    FailureKind kind;
  } cases[] = {
      {"neither", false, false, "", FailureKind::kWrite},
      {"apart only", false, true, "wrd_24/wrd_24_1.txt: Input/output error", FailureKind::kRead},
      {"own only", true, false, "s_1.htm: No space left on device", FailureKind::kWrite},
      {"both", true, true, "s_1.htm: No space left on device", FailureKind::kWrite},
  };
  for (const Case& c : cases) {
    IoFailures own, apart;
    if (c.own) own.note(write_failed);
    if (c.apart) apart.note_read(read_failed);
    own.note_all(apart);
    EXPECT_EQ(own.first().describe(), c.want) << c.name;
    EXPECT_EQ(own.any(), c.own || c.apart) << c.name;
    if (own.any()) {
      EXPECT_EQ(own.first_kind(), c.kind) << c.name;
    }
  }
}

}  // namespace
}  // namespace textpair
