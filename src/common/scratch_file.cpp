#include "common/scratch_file.h"

#include "platform/file_names.h"
#include "platform/files.h"

namespace textpair {

namespace {
// Names tried before giving up: a folder that refuses new files fails at the
// first one, since the name it refused is not taken.
constexpr int kMostTries = 1000;
}  // namespace

void drop_work_file(const std::string& name) { ignore_result(remove_file(native_path(name))); }

bool create_scratch_file(const std::string& native_folder, std::string_view stem, unsigned& number, File& file,
                         std::string& name) {
  for (int tries = 0; tries < kMostTries; ++tries) {
    name = join_path(native_folder, std::string(stem) + std::to_string(++number) + ".tmp");
    if (file.open(name, File::Mode::kCreateNew)) return true;
    if (!path_exists(name)) return false;
  }
  return false;
}

}  // namespace textpair
