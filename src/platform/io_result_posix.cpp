#include "platform/io_result.h"

#include <cerrno>
#include <cstring>

namespace textpair {

std::string last_system_reason() { return std::strerror(errno); }

bool last_error_is_busy() { return errno == EBUSY || errno == ETXTBSY; }

IoResult IoResult::from_system(std::string path) {
  const bool busy = last_error_is_busy();
  return failed(std::move(path), last_system_reason(), busy);
}

}  // namespace textpair
