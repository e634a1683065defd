#include "platform/console.h"

// The parts of the console that are the same on every platform.
namespace textpair {

void Console::write_line(std::string_view line) {
  std::string out(line);
  out += '\n';
  write(out);
}

Console::Key Console::poll_key(std::string& key) {
  if (in_tty_) enter_raw_mode();
  if (pending_.empty()) read_more(0);
  if (take_key(key)) return Key::kKey;
  return eof_ ? Key::kEof : Key::kNone;
}

Console::Key Console::wait_key(std::string& key) {
  if (in_tty_) enter_raw_mode();
  for (;;) {
    if (take_key(key)) return Key::kKey;
    if (eof_) return Key::kEof;
    read_more(-1);
  }
}

bool Console::take_line(std::string& line, bool& ended_by_lf) {
  std::size_t end;
  while ((end = pending_.find('\n')) == std::string::npos && !eof_) read_more(-1);
  ended_by_lf = end != std::string::npos;
  bool got = ended_by_lf || !pending_.empty();
  if (!ended_by_lf) end = pending_.size();
  line = pending_.substr(0, end);
  pending_.erase(0, ended_by_lf ? end + 1 : end);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return got;
}

bool Console::read_line(std::string& line) {
  line.clear();
  if (in_tty_) return read_terminal_line(line);
  // Piped input is written back, so that the transcript of a piped run
  // reads like the screen of a typed one.
  bool ended_by_lf = false;
  bool got = take_line(line, ended_by_lf);
  write_line(line);
  return got;
}

}  // namespace textpair
