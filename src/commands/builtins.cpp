#include "commands/builtins.h"

#include <algorithm>

#include "common/bytes.h"

namespace textpair {

bool read_names(CommandIo& io, const Args& args, const std::vector<std::string>& allowed,
                std::vector<std::string>& names) {
  for (const Word& w : args) {
    if (!is_switch(w)) {
      names.push_back(w.text);
    } else if (std::find(allowed.begin(), allowed.end(), lower_ascii(w.text)) == allowed.end()) {
      complain(io.console, "Invalid switch - " + w.text);
      return false;
    }
  }
  return true;
}

bool has_switch(const Args& args, std::string_view lower_switch) {
  return std::any_of(args.begin(), args.end(),
                     [&](const Word& w) { return is_switch(w) && lower_ascii(w.text) == lower_switch; });
}

}  // namespace textpair
