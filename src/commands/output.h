// Where a command's standard output goes: the console, a redirection file
// (lines end with CR LF there, as the interpreter writes them) or the buffer
// of a pipe. Complaints never go here: they go to the console's error stream.
#ifndef TEXTPAIR_COMMANDS_OUTPUT_H_
#define TEXTPAIR_COMMANDS_OUTPUT_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/io_failures.h"
#include "common/lines.h"

namespace textpair {

class Console;

class Output {
 public:
  virtual ~Output() = default;
  virtual void line(std::string_view text) = 0;
};

class ConsoleOutput : public Output {
 public:
  explicit ConsoleOutput(Console& console) : console_(console) {}
  void line(std::string_view text) override;

 private:
  Console& console_;
};

class FileOutput : public Output {
 public:
  // Creates (or empties) the file, or opens it for appending.
  bool open(const std::string& name, bool append) { return append ? file_.append(name) : file_.create(name); }
  void line(std::string_view text) override { file_.line(text); }
  IoResult close() { return file_.close(); }

 private:
  LineWriter file_;
};

class BufferOutput : public Output {
 public:
  void line(std::string_view text) override { lines_.emplace_back(text); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// Writes one complaint line on the console's error stream.
void complain(Console& console, std::string_view text);

}  // namespace textpair

#endif  // TEXTPAIR_COMMANDS_OUTPUT_H_
