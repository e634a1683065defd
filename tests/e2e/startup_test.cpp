// Whole runs of the program through its start-up: the transcript of each
// way out, compared line by line.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <string>

#include "test_util/http_server.h"
#include "test_util/program_run.h"

namespace textpair {
namespace {

using testing::HttpServer;
using testing::ProgramRun;
using testing::RunResult;

const char kProgramName[] = "www.example.com.exe";

std::string opening(const std::string& program_name) {
  return "Active code page: 65001\n"
         "textpair_01_002\n"
         "\n"
         "<WORK>/" +
         program_name + "\n";
}

const char kRenameScreen[] =
    "\n"
    "----------------------------\n"
    "The program creates Google search queries that point to (your) website, which is summarized in the program "
    "name.\n"
    "Therefore, you must rename the program according to the name of (your) website, but the condition is that "
    "the\n"
    "new program name begins with www...(like www.example.com.exe), http...(like http.example.com.exe, or "
    "https...(like https.example.com.exe)\n"
    "BE CAREFUL AND COPY AND RENAME THE PROGRAM ACCORDING TO THE INSTRUCTIONS!\n"
    "----------------------------\n"
    "\n"
    "<1> = continue and end\n";

const char kAddress[] =
    "----------------------------\n"
    "url.publisher.02$ = www.example.com\n"
    "\n";

std::string terms_screen() {
  return "<WORK>/" + std::string(kProgramName) +
         "\n"
         "\n"
         "====================================\n"
         "\n"
         "THE PROGRAM ALLOWS SIMULTANEOUS INDEXING OF TWO (2) TXT FILES AND COMPARISON NEXT TO EACH OTHER IN TWO "
         "COLUMNS.\n"
         "\n"
         "We also used the program convertcp.exe\n"
         "Info:https://sourceforge.net/p/convertcp/wiki/Home/\n"
         "We also used the program wget.exe\n"
         "Info:https://www.gnu.org/software/wget/\n"
         "\n"
         "Program name:textpair_01_002.exe\n"
         "Terms of use:\n"
         "The author of the program is not responsible for any direct or indirect damages resulting from any "
         "errors in the program.\n"
         "Users accept this risk and use the program at their own risk.\n"
         "\n\n\n\n\n\n"
         "Info: www.textpair.example\n"
         "\n"
         "====================================\n"
         "Do you accept the terms of use?\n"
         "\n"
         "<1> yes, continue\n"
         "<2> no, end\n";
}

const char kFontScreen[] =
    "\n"
    "----------------------------\n"
    "FONT CONSOLAS OR LUCIDA CONSOLE MUST BE SELECTED IN THE PROGRAM EXECUTION WINDOW.\n"
    "Setting procedure (necessary for correct printing):\n"
    "- move the mouse to the center of the upper bold edge of the execution window;\n"
    "- right mouse click;\n"
    "- select Properties from the drop-down menu;\n"
    "- select the Font tab;\n"
    "- this tab includes the Consolas or Lucida Console font.\n"
    "\n"
    "In the Layout tab, select the size of the execution window.\n"
    "Selected settings work when the program is restarted.\n"
    "----------------------------\n"
    "\n"
    "<1> continue\n"
    "<2> end\n";

const char kInstallScreen[] =
    "\n"
    "----------------------------\n"
    "THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.\n"
    "During execution, the program creates and also deletes most *.txt and other files.\n"
    "\n"
    "The TXT files you want to compare must be written in UTF-8 format and copied to the COMPARE_IN subfolder.\n"
    "The TXT file names must not contain spaces or special characters (ASCII only).\n"
    "----------------------------\n"
    "\n"
    "<1> continue\n"
    "<2> end\n";

const char kToolChecks[] =
    "\n"
    "----------------------------\n"
    "Checking the accessibility of some urgently needed programs:\n"
    "cmd.exe, find.exe, findstr.exe, sort.exe, wget.exe\n"
    "\n"
    "cmd\n"
    "\n"
    "find\n"
    "\n"
    "findstr\n"
    "\n"
    "sort\n";

std::string through_tool_checks() {
  return opening(kProgramName) + kAddress + terms_screen() + kFontScreen + kInstallScreen + kToolChecks;
}

TEST(StartupRunTest, NameWithoutWebPrefixEndsAtTheRenameScreen) {
  // Other keys are ignored; "1" or the end of input ends the run.
  for (const std::string input : {"2x\n1", "", "222"}) {
    ProgramRun program("textpair_01_002.exe");
    RunResult run = program.run(input);
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_EQ(program.normalise(run.transcript), opening("textpair_01_002.exe") + kRenameScreen);
  }
}

// Typed at a Windows prompt as "www.site.example", the program has no
// ".exe" in its argument zero; the address keeps the whole name.
TEST(StartupRunTest, AProgramNamedWithoutExeKeepsItsWholeAddress) {
  for (const std::string name : {"www.site.example", "www.site.EXE"}) {
    ProgramRun program(name);
    RunResult run = program.run("2");
    EXPECT_EQ(run.exit_status, 0) << name;
    const std::string address = name.ends_with(".EXE") ? "www.site" : name;
    EXPECT_NE(run.transcript.find("\nurl.publisher.02$ = " + address + "\n\n"), std::string::npos) << name << "\n"
                                                                                                   << run.transcript;
  }
}

TEST(StartupRunTest, TwoAtEachStartupPromptEndsTheRun) {
  const std::pair<std::string, std::string> cases[] = {
      {"2", terms_screen()},
      {"x\r\n\x1b[A2", terms_screen()},
      {"12", terms_screen() + kFontScreen},
      {"1x\n12", terms_screen() + kFontScreen + kInstallScreen},
      {"3112", terms_screen() + kFontScreen + kInstallScreen},
  };
  for (const auto& [input, screens] : cases) {
    ProgramRun program(kProgramName);
    RunResult run = program.run(input);
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_EQ(program.normalise(run.transcript), opening(kProgramName) + kAddress + screens) << input;
    // Nothing after the screens has run.
    EXPECT_FALSE(program.exists("check_01.txt"));
  }
}

TEST(StartupRunTest, NoAdsPageEndsAtTheFetchFailureScreen) {
  HttpServer server;  // 404 for everything
  ProgramRun program(kProgramName);
  RunResult run = program.run("111", server.proxy_env());
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(program.normalise(run.transcript), through_tool_checks() +
                                                   "http://www.textpair.example/oglasi/oglasi.htm:\n"
                                                   "<TIME> ERROR 404: Not Found.\n"
                                                   "\n"
                                                   "----------------------------\n"
                                                   "Check your internet connection!\n"
                                                   "Check wget.exe!\n"
                                                   "\n"
                                                   "<...> any key to continue and end\n");
  EXPECT_EQ(server.requests(), std::vector<std::string>{"http://www.textpair.example/oglasi/oglasi.htm"});
  // An early end leaves the scratch files.
  EXPECT_TRUE(program.exists("oglasi.txt"));
  EXPECT_TRUE(program.exists("check_02.txt"));
}

TEST(StartupRunTest, FetchedAdsLeadIntoTheInputPhase) {
  const std::string page = "<html>\n<p>Ad one</p>\n<P>not an ad</P>\n<p>Ad two</p>\n</html>\n";
  HttpServer server("/oglasi/oglasi.htm", page);
  ProgramRun program(kProgramName);
  program.write_file("compare_in/only_one.txt", "one text\r\n");
  RunResult run = program.run(
      "111"
      "x1",
      server.proxy_env());
  EXPECT_EQ(run.exit_status, 0);
  const std::string size = std::to_string(page.size());
  EXPECT_EQ(program.normalise(run.transcript),
            through_tool_checks() + "<TIME> URL:http://www.textpair.example/oglasi/oglasi.htm [" + size + "/" + size +
                "] -> \"oglasi_wget/oglasi_wget.html\" [1]\n"
                // The input phase: intake, folder set-up and the count of texts.
                "\n"
                "\n"
                "----------------------------\n"
                "Reformatting *.htm files to *.txt\n"
                "File Not Found\n"
                "The system cannot find the path specified.\n"
                "The system cannot find the path specified.\n"
                "\n"
                "A subdirectory or file htm_wrk already exists.\n"
                "A subdirectory or file txt_wrk already exists.\n"
                "\n"
                "----------------------------\n"
                "The compare_in subfolder must contain at least 2 files.\n"
                "\n"
                "<1> = continue and end\n");
  EXPECT_EQ(program.read_file("oglasi_wget/oglasi_wget.html"), page);
  EXPECT_FALSE(program.exists("oglasi.txt"));
}

// A work folder of 240 characters: Windows (and Wine) start a program
// there, but wget's copy of the ads page would not fit in a path. Where
// long paths are off (and on Wine, which cannot tell) the run ends before
// anything else, on a screen that names the folder; elsewhere it starts as
// usual.
TEST(StartupRunTest, WorkFolderTooDeepForWindowsEndsAtOnce) {
  ProgramRun program(kProgramName);
  const std::size_t room = 240 - program.folder().size() - 1;
  ASSERT_LT(room, 250u);
  const std::filesystem::path deep = std::filesystem::path(program.folder()) / std::string(room, 'e');
  ASSERT_EQ(deep.string().size(), 240u);
  std::filesystem::create_directories(deep);
  RunResult run = testing::run_process({program.program()}, deep.string(), "2");
  EXPECT_EQ(run.exit_status, 0);
#ifdef _WIN32
  EXPECT_EQ(run.transcript.find("Active code page"), std::string::npos) << run.transcript;
  EXPECT_EQ(run.transcript.find("----------------------------\n"
                                "The path of the work folder is too long:\n"),
            0u)
      << run.transcript;
  EXPECT_NE(run.transcript.find(std::string(room, 'e') +
                                "\n"
                                "Its files need paths of up to 269 characters; Windows takes 259.\n"),
            std::string::npos)
      << run.transcript;
  EXPECT_TRUE(run.transcript.ends_with("\n<...> any key to continue and end\n")) << run.transcript;
#else
  EXPECT_TRUE(run.transcript.starts_with("Active code page: 65001\n")) << run.transcript;
  EXPECT_EQ(run.transcript.find("too long"), std::string::npos) << run.transcript;
#endif
}

// The Windows program carries its manifest: it runs as the user who starts
// it, and takes long paths where Windows has them turned on.
TEST(StartupRunTest, WindowsProgramCarriesItsManifest) {
#ifndef _WIN32
  GTEST_SKIP() << "the manifest is a resource of the Windows program";
#else
  ProgramRun program(kProgramName);
  const std::wstring path = std::filesystem::path(program.program()).wstring();
  HMODULE exe = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(exe, nullptr);
  HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const void* bytes = LockResource(LoadResource(exe, found));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(static_cast<const char*>(bytes), SizeofResource(exe, found));
  FreeLibrary(exe);
  for (const char* part :
       {"<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true</longPathAware>",
        "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
#endif
}

}  // namespace
}  // namespace textpair
