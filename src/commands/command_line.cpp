#include "commands/command_line.h"

#include "common/bytes.h"

namespace textpair {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_operator(char c) { return c == '>' || c == '|'; }

// Reads words and operators from a line; quotes protect blanks and operators.
class Scanner {
 public:
  explicit Scanner(std::string_view s) : s_(s) {}

  void skip_blanks() {
    while (pos_ < s_.size() && is_blank(s_[pos_])) ++pos_;
  }
  bool at_end() {
    skip_blanks();
    return pos_ >= s_.size();
  }
  char peek() { return at_end() ? '\0' : s_[pos_]; }
  std::size_t pos() const { return pos_; }
  void set_pos(std::size_t p) { pos_ = p; }
  void advance() { ++pos_; }
  std::string_view rest() const { return s_.substr(pos_); }

  // The next word up to a blank or an operator outside quotes; false when
  // the line ends or an operator comes first.
  bool word(Word& w, std::string_view stops = "") {
    skip_blanks();
    w = Word();
    bool in_quotes = false;
    std::size_t start = pos_;
    while (pos_ < s_.size()) {
      char c = s_[pos_];
      if (c == '"') {
        in_quotes = !in_quotes;
        w.quoted = true;
      } else if (!in_quotes && (is_blank(c) || is_operator(c) || stops.find(c) != std::string_view::npos)) {
        break;
      } else {
        w.text += c;
      }
      ++pos_;
    }
    return pos_ > start;
  }

 private:
  std::string_view s_;
  std::size_t pos_ = 0;
};

// One command with its redirections, up to "|" or the end.
bool parse_command(Scanner& sc, Command& cmd) {
  for (;;) {
    char c = sc.peek();
    if (c == '\0' || c == '|') break;
    if (c == '>') {
      sc.advance();
      Redirect r;
      if (sc.rest().starts_with(">")) {
        sc.advance();
        r.append = true;
      }
      Word target;
      if (!sc.word(target) || target.text.empty()) return false;
      r.target = target.text;
      cmd.redirects.push_back(r);
      continue;
    }
    Word w;
    sc.word(w);
    cmd.words.push_back(w);
  }
  return !cmd.words.empty();
}

bool parse_pipeline(Scanner& sc, std::vector<Command>& pipeline) {
  if (sc.at_end()) return true;
  for (;;) {
    Command cmd;
    if (!parse_command(sc, cmd)) return false;
    pipeline.push_back(cmd);
    if (sc.at_end()) return true;
    sc.advance();  // the "|"
  }
}

bool is_word(Scanner& sc, std::string_view lower) {
  std::size_t at = sc.pos();
  Word w;
  if (sc.word(w) && !w.quoted && lower_ascii(w.text) == lower) return true;
  sc.set_pos(at);
  return false;
}

// "%V in (set) do", after "for".
bool parse_loop_head(Scanner& sc, CommandLine& line) {
  Word var;
  if (!sc.word(var, "(") || var.quoted) return false;
  std::string v = var.text;
  if (v.starts_with("%%")) v.erase(0, 1);  // the batch-file spelling
  if (v.size() != 2 || v[0] != '%') return false;
  line.loop_variable = v;
  if (!is_word(sc, "in") || sc.peek() != '(') return false;
  sc.advance();
  for (;;) {
    char c = sc.peek();
    if (c == ')') {
      sc.advance();
      break;
    }
    if (c == ',' || c == ';') {
      sc.advance();
      continue;
    }
    Word item;
    if (!sc.word(item, ",;)")) return false;  // the line ended inside the set
    line.loop_set.push_back(item);
  }
  return is_word(sc, "do");
}

}  // namespace

CommandLine parse_command_line(std::string_view text) {
  CommandLine line;
  Scanner sc(text);
  // "cmd /c" hands the rest of the line to a new interpreter: the same
  // rules apply to it.
  for (;;) {
    std::size_t at = sc.pos();
    Word w;
    if (!sc.word(w) || w.quoted) {
      sc.set_pos(at);
      break;
    }
    std::string name = lower_ascii(w.text);
    if (name != "cmd" && name != "cmd.exe") {
      sc.set_pos(at);
      break;
    }
    if (!is_word(sc, "/c")) is_word(sc, "/k");
  }
  if (is_word(sc, "for")) {
    line.is_loop = true;
    if (!parse_loop_head(sc, line) || sc.at_end()) {
      line.valid = false;
      return line;
    }
  }
  line.valid = parse_pipeline(sc, line.pipeline);
  return line;
}

namespace {
std::string replace_all(std::string s, std::string_view from, std::string_view to) {
  if (from.empty()) return s;
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
    s.replace(at, from.size(), to);
  }
  return s;
}
}  // namespace

Command substitute(const Command& command, std::string_view variable, std::string_view value) {
  Command out = command;
  for (Word& w : out.words) w.text = replace_all(w.text, variable, value);
  for (Redirect& r : out.redirects) r.target = replace_all(r.target, variable, value);
  return out;
}

}  // namespace textpair
