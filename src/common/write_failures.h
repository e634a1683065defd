// How a run learns that its work could not be written (a full disk, a file
// that could not be made). A writer hands back a Written, which no caller
// may drop, or notes it straight in the run's WriteFailures; the driver
// looks at that record after each phase and ends the run on a failure.
#ifndef TEXTPAIR_COMMON_WRITE_FAILURES_H_
#define TEXTPAIR_COMMON_WRITE_FAILURES_H_

namespace textpair {

// Whether a piece of work reached the disk whole.
enum class [[nodiscard]] Written { kWhole, kShort };

inline Written written_if(bool whole) { return whole ? Written::kWhole : Written::kShort; }

// Sticky: once a failure is noted, the record says so for the rest of the run.
class WriteFailures {
 public:
  void note(Written w) {
    if (w == Written::kShort) failed_ = true;
  }
  bool any() const { return failed_; }
  // The whole record as one outcome.
  Written result() const { return written_if(!failed_); }

 private:
  bool failed_ = false;
};

}  // namespace textpair

#endif  // TEXTPAIR_COMMON_WRITE_FAILURES_H_
