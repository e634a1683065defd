// How a run learns that its work could not be written or read (a full
// disk, a failing one, a file another program holds). Every file operation
// hands back an IoResult, which no caller may drop; a phase notes the
// failed ones in the run's IoFailures, and the driver looks at that record
// after each phase and ends the run on the first failure, with a screen
// that names the file and the system's reason.
#ifndef TEXTPAIR_COMMON_IO_FAILURES_H_
#define TEXTPAIR_COMMON_IO_FAILURES_H_

#include "platform/io_result.h"

namespace textpair {

enum class FailureKind { kWrite, kRead };

// Sticky: once a failure is noted, the record says so for the rest of the
// run, and keeps the first one.
class IoFailures {
 public:
  // Notes a failed result; a success notes nothing.
  void note(const IoResult& result, FailureKind kind = FailureKind::kWrite) {
    if (result.ok() || any()) return;
    first_ = result;
    kind_ = kind;
  }
  void note_read(const IoResult& result) { note(result, FailureKind::kRead); }
  // Takes the first failure of a record kept apart (work done beside the
  // run's own), as though it had been noted here after this one's.
  void note_all(const IoFailures& other) { note(other.first_, other.kind_); }
  bool any() const { return !first_.ok(); }
  const IoResult& first() const { return first_; }
  FailureKind first_kind() const { return kind_; }

 private:
  IoResult first_;
  FailureKind kind_ = FailureKind::kWrite;
};

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_IO_FAILURES_H_
