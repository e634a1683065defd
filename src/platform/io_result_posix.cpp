#include <cerrno>
#include <cstring>

#include "platform/io_result.h"

namespace textpair {

std::string last_system_reason() { return std::strerror(errno); }

IoResult IoResult::from_system(std::string path) { return failed(std::move(path), last_system_reason()); }

}  // namespace textpair
