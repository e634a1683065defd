// The layers of src/ hold: every #include "folder/..." of a file points at
// its own folder or a layer below it. The same order is the link order of
// the layer libraries in CMakeLists.txt. Only platform/ includes the
// system's own headers (<unistd.h>, <windows.h>, <sys/stat.h>, ...); the
// other layers use the C++ standard library and the processor's intrinsics.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace textpair {
namespace {

namespace fs = std::filesystem;

// Bottom up. The phases come in run order: a phase may use an earlier one.
const std::vector<std::string> kLayers = {"platform", "common",   "prompts", "commands", "steps", "input",
                                          "compare",  "indexing", "site",    "driver",   ""};

// The layer of a path below src/ ("common/bytes.cpp" -> "common"); a file
// right in src/ (main.cpp) stands above all of them as "".
std::optional<std::size_t> rank_of(const std::string& path) {
  std::size_t slash = path.find('/');
  std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
  for (std::size_t i = 0; i < kLayers.size(); ++i) {
    if (kLayers[i] == folder) return i;
  }
  return std::nullopt;
}

// Where the name of the include of one source line starts ("#include" or
// "#  include"), or npos when the line has none.
std::size_t after_include(const std::string& line) {
  std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line[at] != '#') return std::string::npos;
  at = line.find_first_not_of(" \t", at + 1);
  if (at == std::string::npos || line.compare(at, 7, "include") != 0) return std::string::npos;
  return line.find_first_not_of(" \t", at + 7);
}

// The name between `open` and `close` right after "#include", or "".
std::string include_between(const std::string& line, char open, char close) {
  const std::size_t at = after_include(line);
  if (at == std::string::npos || line[at] != open) return "";
  const std::size_t end = line.find(close, at + 1);
  if (end == std::string::npos) return "";
  return line.substr(at + 1, end - at - 1);
}

// The quoted include of one source line, or "" when the line has none.
std::string quoted_include(const std::string& line) { return include_between(line, '"', '"'); }

// The header of an #include <...> line, or "" when the line has none.
std::string angle_include(const std::string& line) { return include_between(line, '<', '>'); }

// Empty when `file` may include the system header `header`; else why not.
// The C++ standard library's headers have no ".h" and no folder; compiler
// intrinsics (<emmintrin.h>, ...) are the processor's, not the system's.
std::string judge_system(const std::string& file, const std::string& header) {
  const bool standard = header.find('.') == std::string::npos && header.find('/') == std::string::npos;
  const bool intrinsics = header.find('/') == std::string::npos && header.size() > 8 &&
                          header.compare(header.size() - 8, 8, "intrin.h") == 0;
  if (standard || intrinsics || file.rfind("platform/", 0) == 0) return "";
  return file + " includes the system header <" + header + "> outside platform/";
}

// Empty when `file` may include `header`; else why not.
std::string judge(const std::string& file, const std::string& header) {
  std::optional<std::size_t> from = rank_of(file);
  std::optional<std::size_t> to = rank_of(header);
  if (!from) return file + " lies in no layer";
  if (!to || header.find('/') == std::string::npos) return file + " includes " + header + ", which lies in no layer";
  if (*to > *from) return file + " includes " + header + " from a layer above it";
  return "";
}

TEST(LayerOrder, JudgesIncludesByTheirLayers) {
  struct Case {
    const char* file;
    const char* header;
    bool allowed;
  } cases[] = {
      {"common/bytes.cpp", "common/bytes.h", true},
      {"common/lines.cpp", "platform/files.h", true},
      {"commands/copy_command.cpp", "prompts/prompts.h", true},
      {"site/all_words_index.cpp", "indexing/word_extraction.h", true},
      {"driver/run.cpp", "site/publish.h", true},
      {"main.cpp", "driver/run.h", true},
      {"platform/file_names_posix.cpp", "common/bytes.h", false},
      {"common/folders.cpp", "commands/run_command.h", false},
      {"prompts/prompts.cpp", "commands/interpreter.h", false},
      {"commands/run_command.cpp", "steps/folders.h", false},
      {"input/intake.cpp", "driver/run.h", false},
      {"indexing/word_list_chain.cpp", "site/publish.h", false},
      {"input/intake.cpp", "compare/page_files.h", false},
      {"driver/run.cpp", "main.h", false},
      {"extra/x.cpp", "common/bytes.h", false},
      {"common/x.cpp", "extra/x.h", false},
  };
  for (const Case& c : cases) EXPECT_EQ(judge(c.file, c.header).empty(), c.allowed) << c.file << " -> " << c.header;
}

TEST(LayerOrder, JudgesSystemHeadersByTheirLayer) {
  struct Case {
    const char* file;
    const char* header;
    bool allowed;
  } cases[] = {
      {"common/bytes.cpp", "string_view", true},
      {"indexing/group_lists.cpp", "charconv", true},
      {"common/cpu.h", "emmintrin.h", true},
      {"platform/files_posix.cpp", "unistd.h", true},
      {"platform/files_posix.cpp", "sys/stat.h", true},
      {"platform/files_win32.cpp", "windows.h", true},
      {"common/scratch_file.cpp", "unistd.h", false},
      {"commands/dir_command.cpp", "dirent.h", false},
      {"site/publish.cpp", "sys/stat.h", false},
      {"indexing/word_extraction.cpp", "linux/fs.h", false},
      {"driver/run.cpp", "windows.h", false},
      {"input/intake.cpp", "fcntl.h", false},
      {"common/bytes.cpp", "string.h", false},  // <cstring> is the library's form
      {"main.cpp", "signal.h", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(judge_system(c.file, c.header).empty(), c.allowed) << c.file << " -> <" << c.header << ">";
  }
}

TEST(LayerOrder, ReadsTheIncludeOfALine) {
  EXPECT_EQ(quoted_include("#include \"common/bytes.h\""), "common/bytes.h");
  EXPECT_EQ(quoted_include("  #include \"a/b.h\"  // why"), "a/b.h");
  EXPECT_EQ(quoted_include("#include <string>"), "");
  EXPECT_EQ(quoted_include("// see \"common/bytes.h\""), "");
  EXPECT_EQ(angle_include("#include <sys/stat.h>"), "sys/stat.h");
  EXPECT_EQ(angle_include("  #  include <unistd.h>"), "unistd.h");
  EXPECT_EQ(angle_include("#include  <unistd.h>  // why"), "unistd.h");
  EXPECT_EQ(angle_include("#include \"common/bytes.h\""), "");
  EXPECT_EQ(angle_include("// #include <windows.h> is for platform/"), "");
}

TEST(LayerOrder, EveryIncludeInSrcPointsToItsLayerOrBelow) {
  const fs::path src = fs::path(TEXTPAIR_SOURCE_DIR) / "src";
  std::size_t includes = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    const std::string ext = entry.path().extension().string();
    if (ext != ".cpp" && ext != ".h") continue;
    const std::string file = entry.path().lexically_relative(src).generic_string();
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string system = angle_include(line);
      if (!system.empty()) {
        EXPECT_EQ(judge_system(file, system), "") << file << ":" << number;
      }
      const std::string header = quoted_include(line);
      if (header.empty()) continue;
      ++includes;
      EXPECT_EQ(judge(file, header), "") << file << ":" << number;
    }
  }
  EXPECT_GT(includes, 100u);  // the walk found the sources
}

}  // namespace
}  // namespace textpair
