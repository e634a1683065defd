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
//
// Consoles are made by the functions below: the program's own standard
// streams, or named files and devices (a terminal device as input counts as
// a terminal).
#ifndef TEXTPAIR_PLATFORM_CONSOLE_H_
#define TEXTPAIR_PLATFORM_CONSOLE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/console_keys.h"

namespace textpair {

class Console {
 public:
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
  friend std::unique_ptr<Console> open_standard_console();
  friend std::unique_ptr<Console> open_console(const std::string&, const std::string&, const std::string&);
  // Takes the system's handles of the three streams (descriptors on POSIX);
  // closes them at the end when `owned`.
  Console(std::intptr_t in, std::intptr_t out, std::intptr_t err, bool owned);

  std::intptr_t in_, out_, err_;
  bool owned_ = false;
  bool in_tty_ = false;
  std::string pending_;  // bytes read but not yet consumed
  KeyDecoder keys_;      // console key events to keys (Windows)
  bool eof_ = false;
  // Reads what is there, waiting at most timeout_ms (-1: until something
  // comes); false when nothing came, eof_ set when input has ended.
  bool read_more(int timeout_ms);
  // Takes one key off pending_ (reading the rest of an escape sequence or
  // UTF-8 character on a terminal); false when pending_ is empty.
  bool take_key(std::string& key);
  // Puts a terminal into raw mode (keys without echo).
  void enter_raw_mode();
  // A line typed on the terminal, with the system's echo.
  bool read_terminal_line(std::string& line);
  // Takes the next line off pending_, reading until a LF or the end of
  // input; false when nothing was left.
  bool take_line(std::string& line, bool& ended_by_lf);
};

// The program's standard input, output and error.
std::unique_ptr<Console> open_standard_console();
// Keys and lines from the file or device `input`; output and errors appended
// to the files `output` and `errors` (which may be the same file). Null when
// one of them cannot be opened.
std::unique_ptr<Console> open_console(const std::string& input, const std::string& output, const std::string& errors);

}  // namespace textpair

#endif  // TEXTPAIR_PLATFORM_CONSOLE_H_
