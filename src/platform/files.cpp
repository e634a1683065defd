#include "platform/files.h"

#include "platform/retry.h"

namespace textpair {

using namespace files_detail;

IoResult remove_file(const std::string& native) {
  return retry_while_busy([&] { return remove_file_once(native); });
}

IoResult rename_path(const std::string& from, const std::string& to) {
  return retry_while_busy([&] { return rename_path_once(from, to); });
}

IoResult copy_file(const std::string& from, const std::string& to) {
  return retry_while_busy([&] { return copy_once(from, to, false); });
}

IoResult append_file(const std::string& from, const std::string& to) {
  return retry_while_busy([&] { return copy_once(from, to, true); });
}

}  // namespace textpair
