// The console: lines out on standard output, complaints on standard error,
// keys and lines in from standard input, all through one input layer on the
// input descriptor (no buffered streams mixed in).
//
// On a terminal, keys are read in raw mode without echo (a cursor or function
// key's escape sequence is one key, and so is a UTF-8 character) and lines
// with echo; the terminal's mode is restored on every way out, an interrupt
// included. When input is not a terminal every byte is one key, and a line
// read is written back after the prompt, so a piped run's transcript reads
// like the screen of a typed one.
#ifndef TEXTPAIR_PLATFORM_CONSOLE_H_
#define TEXTPAIR_PLATFORM_CONSOLE_H_

#include <string>
#include <string_view>

namespace textpair {

class Console {
 public:
  Console(int in_fd, int out_fd, int err_fd);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  void write(std::string_view bytes);
  void write_line(std::string_view line);  // the line and a line break
  void empty_line() { write_line(""); }
  void write_error(std::string_view bytes);

  enum class Key { kNone, kKey, kEof };
  // Without waiting: kKey with the key's bytes in `key` when one is waiting,
  // kNone when none is, kEof when input has ended.
  Key poll_key(std::string& key);
  // Waits (without burning a core) for the next key; kEof at end of input.
  Key wait_key(std::string& key);
  // Reads one line with echo and moves to a new line; false at end of input
  // (the line is then empty).
  bool read_line(std::string& line);

  bool input_is_terminal() const { return in_tty_; }

 private:
  int in_fd_, out_fd_, err_fd_;
  bool in_tty_ = false;
  std::string pending_;  // bytes read but not yet consumed
  bool eof_ = false;
  // Reads what is there, waiting at most timeout_ms (-1: until something
  // comes); false when nothing came, eof_ set when input has ended.
  bool read_more(int timeout_ms);
  // Takes one key off pending_ (reading the rest of an escape sequence or
  // UTF-8 character on a terminal); false when pending_ is empty.
  bool take_key(std::string& key);
};

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_CONSOLE_H_
