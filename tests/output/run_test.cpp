// Whole runs of the staged compiler: the files the processing chain creates,
// keeps and deletes, the tool log, the target package warning, and that no
// work file survives any way out of the program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/driver/staged_run.h"

namespace {

namespace fs = std::filesystem;

// The names in a folder, sorted.
std::vector<std::string> entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A complete, clean test program.
const char* kCleanScript =
    "HEADER demo, 1, 1\n"
    "BEGIN\n"
    "#int x;\n"
    "SERVICE S1\n"
    "TEST T1\n"
    "FAMILY nominal\n"
    "ELEMENT\n"
    "VAR x, int, init = 1, ev = 1\n"
    "#x = 1;\n"
    "END ELEMENT\n"
    "END TEST\n"
    "END SERVICE\n";

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch.path() / "work");
    fs::create_directories(scratch.path() / "tmp");
    fs::create_directories(scratch.path() / "work/out");
    scratch.write("work/demo.ptu", kCleanScript);
    scratch.write("work/std.def", "/* no standard definitions */\n");
  }

  // Every run keeps its work files in scratch/tmp and analyses with an
  // empty standard-definitions file, so that only the script is analysed.
  testkit::EnvChanges env() const { return staged::environment("C", {{"TEMP", tmp()}}); }
  testkit::Result run(std::vector<std::string> args, testkit::EnvChanges changes = {}) const {
    args.insert(args.begin(), testkit::stageBin("zentaprepro"));
    args.push_back("-STD_DEFINE=std.def");
    testkit::EnvChanges e = env();
    for (auto& [k, v] : changes) e[k] = v;
    return testkit::run(args, e, scratch.file("work"));
  }
  std::string tmp() const { return scratch.file("tmp"); }
  std::string read(const std::string& name) const { return scratch.read("work/" + name); }
  bool exists(const std::string& name) const { return scratch.exists("work/" + name); }
  bool tmpIsEmpty() const { return fs::is_empty(scratch.path() / "tmp"); }
  static std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
  }
  // The index of the first line after the header comment (the second line of
  // asterisks, behind the given comment start).
  static std::size_t afterHeader(const std::vector<std::string>& text, const std::string& start) {
    const std::string stars = start + std::string(72, '*');
    for (std::size_t i = 1; i < text.size(); ++i)
      if (text[i] == stars) return i + 1;
    return text.size();
  }

  testkit::ScratchDir scratch;
};

TEST_F(RunTest, CleanRunCreatesTheOutputsWithHeadersAndLogsThem) {
  const auto r = run({"demo.ptu", "out/demo", "-VISTRA_LOG=tools.log"});
  ASSERT_EQ(r.status, 3) << r.err;  // the default runtime header is not in the package
  const std::vector<std::string> cc = lines(read("out/demo.cc"));
  ASSERT_GE(cc.size(), 10u);
  EXPECT_EQ(cc[0], "//" + std::string(72, '*'));
  EXPECT_EQ(cc[1], "//* TOOL : Unit Test Compiler VERSION 8.3.0.1.342.020                    *");
  // The command text takes two framed lines: ten header lines in all.
  EXPECT_EQ(afterHeader(cc, "//"), 10u);
  EXPECT_NE(std::find_if(cc.begin(), cc.end(),
                         [](const std::string& l) { return l.rfind("//* FILE : out/demo.cc ", 0) == 0; }),
            cc.end());
  // The tdc file: the header without delimiters, then the opening lines.
  const std::vector<std::string> tdc = lines(read("out/demo.tdc"));
  const std::size_t h = afterHeader(tdc, "");
  ASSERT_GE(tdc.size(), h + 9);
  EXPECT_EQ(tdc[0], std::string(72, '*'));
  EXPECT_EQ(tdc[h + 0], "E11 0 " + fs::canonical(scratch.path() / "work/demo.ptu").string());
  EXPECT_EQ(tdc[h + 1].rfind("C0 zentaprepro demo.ptu out/demo", 0), 0u) << tdc[h + 1];
  EXPECT_EQ(tdc[h + 2].size(), 3u + 24u) << tdc[h + 2];
  EXPECT_EQ(std::vector<std::string>(tdc.begin() + h + 3, tdc.begin() + h + 9),
            (std::vector<std::string>{"E7 indefinie", "E8 8.3.0.1.342.020", "E9 C++ 5", "E6  demo", "E4  ",
                                      "E5  "}));
  // The tool log names every created output, in creation order.
  EXPECT_EQ(read("tools.log").rfind("CCP out/demo.cc\nTDC out/demo.tdc\nCPP out/demo.icc\n", 0), 0u)
      << read("tools.log");
  EXPECT_TRUE(tmpIsEmpty());
}

// The options that reach the opening lines: the command text, the target,
// the separate source (the first further source: include number 1) and the
// dialect, named alike in the command text and the E9 line.
TEST_F(RunTest, OptionsInTheOpeningLines) {
  // A separate source file that does not exist is fatal.
  EXPECT_EQ(run({"demo.ptu", "out/demo", "-SOURCE=mod042.cc"}).status, 7);
  scratch.write("work/mod042.cc", "#define MODULE 42\nint y;\n");
  const std::string source = fs::canonical(scratch.path() / "work/mod042.cc").string();
  const struct {
    std::vector<std::string> options;
    std::vector<std::pair<std::size_t, std::string>> lines;  // offset after the header, line or its start
  } cases[] = {
      {{"-COMMAND=build it", "-TARGET=host", "-SOURCE=mod042.cc"},
       {{1, "C0 build it"}, {3, "E7 HOST"}, {7, "E4  mod042"}, {8, "E5  042"}, {9, "E11 1 " + source}}},
      {{"-LANGUAGE=c++17"}, {{5, "E9 C++17 5"}}},
      {{"-LANG=C++2a"}, {{5, "E9 C++20 5"}}},
      {{"-LANGUAGE=C++"}, {{5, "E9 C++ 5"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options[0]);
    std::vector<std::string> args = {"demo.ptu", "out/demo"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const auto r = run(args);
    ASSERT_TRUE(r.status == 0 || r.status == 3) << r.err;
    const std::vector<std::string> tdc = lines(read("out/demo.tdc"));
    const std::size_t h = afterHeader(tdc, "");
    ASSERT_GE(tdc.size(), h + 10);
    for (const auto& [offset, line] : c.lines)
      EXPECT_EQ(tdc[h + offset].substr(0, line.size()), line) << offset;
    const std::string dialect = tdc[h + 5].substr(3, tdc[h + 5].size() - 5);
    if (c.options[0] != "-COMMAND=build it") {
      EXPECT_NE(tdc[h + 1].find(" /LANGUAGE=" + dialect + " /TARGET="), std::string::npos) << tdc[h + 1];
    }
  }
}

TEST_F(RunTest, TsfFileStartsWithItsHeaderAndOpeningLines) {
  const auto r = run({"demo.ptu", "out/demo", "-TSF=out/trace"});
  ASSERT_TRUE(r.status == 0 || r.status == 3) << r.err;
  const std::vector<std::string> tsf = lines(read("out/trace.tsf"));
  const std::size_t h = afterHeader(tsf, "US ");
  ASSERT_GE(tsf.size(), h + 5);
  EXPECT_EQ(tsf[0], "US " + std::string(72, '*'));
  EXPECT_EQ(tsf[h + 0], "DB \"Kestrel-Tracer\"");
  EXPECT_EQ(tsf[h + 1], "SO \"./demo.ptu\" 000 \"txt\"");
  EXPECT_EQ(tsf[h + 2], "IN \"File\" 9 \"demo.ptu\"");
  EXPECT_EQ(tsf[h + 3], "TX 4 \"Parameters OK\"");
  EXPECT_EQ(tsf[h + 4], "TX 5 \"Test Parameters Failed\"");
}

TEST_F(RunTest, OnlyTheTargetWarningExitsThree) {
  // The default runtime header is still found through the include chain.
  const auto r =
      run({"demo.ptu", "out/demo", "-INCL=" + testkit::stageDir() + "/lib"}, {{"ZNTTGT", std::nullopt}});
  EXPECT_EQ(r.status, 3) << r.err;
  const std::string line =
      "Quarto-W-BADRUNTIM,  Target Package not found, check ZNTTGT environment variable.\n";
  const std::size_t at = r.err.find(line);
  ASSERT_NE(at, std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("BADRUNTIM", at + 20), std::string::npos) << "reported once";
  EXPECT_TRUE(exists("demo.lis"));  // a run with a warning keeps its list file
}

// A script named as its own source, or including itself, is read once: one
// warning, and the processing goes on past the include.
TEST_F(RunTest, AScriptIsNeverReadTwice) {
  scratch.write("work/self.ptu",
                "HEADER demo, 1, 1\nBEGIN\n#int x;\nINCLUDE PTU self.ptu\nSERVICE S1\nTEST T1\nELEMENT\n"
                "VAR x, int, init = 1, ev = 1\nEND ELEMENT\nEND TEST\nEND SERVICE\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"demo.ptu", "out/demo", "-SOURCE=demo.ptu"}, {"self.ptu", "out/demo"}}) {
    SCOPED_TRACE(args[0]);
    const auto r = run(args);
    EXPECT_EQ(r.status, 3) << r.err;
    const std::size_t at = r.err.find("Quarto-W-LIGNTRAIT,  ");
    EXPECT_NE(at, std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("LIGNTRAIT", at + 20), std::string::npos) << r.err;
    if (args[0] == "self.ptu") { EXPECT_NE(read("out/demo.cc").find("TEST_S1"), std::string::npos); }
    EXPECT_TRUE(tmpIsEmpty());
  }
}

TEST_F(RunTest, ScriptThatCannotBeRewoundIsFatal) {
  const std::string fifo = scratch.file("work/piped.ptu");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // The compiler may close the pipe before it has everything: the write
  // then fails without a SIGPIPE for the test.
  std::signal(SIGPIPE, SIG_IGN);
  std::thread writer([&] {
    if (std::FILE* f = std::fopen(fifo.c_str(), "w")) {
      std::fputs(kCleanScript, f);
      std::fclose(f);
    }
  });
  const auto r = run({"piped.ptu", "out/piped"});
  writer.join();
  EXPECT_EQ(r.status, 7) << r.err;
  EXPECT_NE(r.err.find("Quarto-F-IMPRESFIC,  "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("piped.ptu"), std::string::npos) << r.err;
  EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(RunTest, CountedErrorDeletesGeneratedOutputsButKeepsTheList) {
  // A SERVICE without its name is an error.
  scratch.write("work/bad.ptu", "HEADER demo, 1, 1\nBEGIN\nSERVICE\n");
  const auto r = run({"bad.ptu", "out/bad", "-TSF=out/bad"});
  EXPECT_EQ(r.status, 5) << r.err;
  EXPECT_FALSE(exists("out/bad.cc"));
  EXPECT_FALSE(exists("out/bad.tdc"));
  EXPECT_FALSE(exists("out/bad.icc"));
  EXPECT_TRUE(exists("out/bad.tsf"));
  EXPECT_TRUE(exists("bad.lis"));
  EXPECT_TRUE(tmpIsEmpty());
}

// A failed run leaves the outputs and the tool log of the earlier clean run
// as they were, none of its own files, and its list file.
TEST_F(RunTest, FailedRunLeavesNoUnfinishedOutput) {
  const auto first = run({"demo.ptu", "out/demo", "-VISTRA_LOG=tools.log"});
  ASSERT_EQ(first.status, 3) << first.err;
  const std::vector<std::string> outputs = entries(scratch.path() / "work/out");
  ASSERT_EQ(outputs, (std::vector<std::string>{"demo.cc", "demo.icc", "demo.tdc", "demo_zcls.h"}));
  std::vector<std::string> earlier;
  for (const std::string& name : outputs) earlier.push_back(read("out/" + name));
  const std::string log = read("tools.log");

  std::string tooLong = "HEADER demo, 1, 1\nBEGIN\nCOMMENT x\n";
  for (int i = 0; i < 3000; ++i) tooLong += "& abcdefghij\n";
  const struct {
    const char* name;
    std::string script;
    testkit::EnvChanges env;
    int status;
    const char* code;
    bool present = true;  // whether the script exists
  } table[] = {
      {"missing script", "", {}, 7, "-F-IMPOUVFIC,", false},
      {"empty script", "", {}, 7, "-F-AUCUNMETA,"},
      {"statement too long", tooLong, {}, 7, "-F-LINETOLON,"},
      {"missing header",
       "BEGIN\n#int x;\nSERVICE S1\nTEST T1\nELEMENT\nVAR x, int, init = 1, ev = 1\nEND ELEMENT\n"
       "END TEST\nEND SERVICE\n",
       {},
       5,
       "-E-ENTETEERR,"},
      {"unwritable TEMP", kCleanScript, {{"TEMP", tmp() + "/missing"}}, 7, "-F-IMPOUVFIC,"},
  };
  for (const auto& row : table) {
    scratch.write("work/bad.ptu", row.script);
    if (!row.present) fs::remove(scratch.path() / "work/bad.ptu");
    const auto r = run({"bad.ptu", "out/demo", "-VISTRA_LOG=tools.log"}, row.env);
    EXPECT_EQ(r.status, row.status) << row.name << ": " << r.err;
    EXPECT_NE(r.err.find(row.code), std::string::npos) << row.name << ": " << r.err;
    EXPECT_EQ(read("tools.log"), log) << row.name;
    EXPECT_TRUE(exists("bad.lis")) << row.name;
    EXPECT_TRUE(tmpIsEmpty()) << row.name;
    // A fatal end leaves the earlier run's outputs as they were; counted
    // errors remove them, so that no harness is left behind.
    if (row.status == 5) {
      EXPECT_TRUE(entries(scratch.path() / "work/out").empty()) << row.name;
      for (std::size_t i = 0; i < outputs.size(); ++i) scratch.write("work/out/" + outputs[i], earlier[i]);
      continue;
    }
    EXPECT_EQ(entries(scratch.path() / "work/out"), outputs) << row.name;
    for (std::size_t i = 0; i < outputs.size(); ++i)
      EXPECT_EQ(read("out/" + outputs[i]), earlier[i]) << row.name;
  }
}

// A path that names a folder cannot become a file: no hidden ".cc" or
// ".lis" is made of it.
TEST_F(RunTest, PathsThatNameAFolderAreRefused) {
  fs::create_directories(scratch.path() / "work/sub");
  const struct {
    std::vector<std::string> args;
    const char* refused;
  } table[] = {
      {{"sub/", "out/demo"}, "sub/"},
      {{"sub/.", "out/demo"}, "sub/."},
      {{"demo.ptu", "out/"}, "out/"},
      {{"demo.ptu", "out/.."}, "out/.."},
      {{"demo.ptu", "out/demo", "-TSF=out/"}, "out/"},
      // An output folder that does not exist, reported at the script.
      {{"demo.ptu", "missing/demo"}, "[./demo.ptu:-1] Cannot open the file missing/demo.cc"},
  };
  for (const auto& row : table) {
    const auto r = run(row.args);
    EXPECT_EQ(r.status, 7) << row.refused << ": " << r.err;
    const std::string message =
        row.refused[0] == '[' ? row.refused : std::string("Cannot open the file ") + row.refused;
    EXPECT_NE(r.err.find("Quarto-F-IMPOUVFIC,  " + message + "\n"), std::string::npos) << r.err;
    std::vector<std::string> names = entries(scratch.path() / "work");
    std::erase(names, "demo.lis");  // the list file of a run that got as far as the script
    EXPECT_EQ(names, (std::vector<std::string>{"demo.ptu", "out", "std.def", "sub"})) << row.refused;
    EXPECT_TRUE(fs::is_empty(scratch.path() / "work/out")) << row.refused;
    EXPECT_TRUE(fs::is_empty(scratch.path() / "work/sub")) << row.refused;
  }
}

template <class Predicate>
bool waitFor(Predicate ready) {
  for (int i = 0; i < 400; ++i) {
    if (ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}

// A run stopped inside an element, on an included PTU file that is a named
// pipe; the work files of the test, the element and the program then exist,
// and so do the outputs under their temporary names. An earlier run left
// its harness (unless the harness is a full device) and description file.
// The root holds the folders work (with out) and tmp, which TEMP names.
class StoppedRun {
 public:
  StoppedRun(const testkit::EnvChanges& env, const fs::path& root, bool fullHarness) {
    const fs::path work = root / "work";
    std::ofstream(work / "stop.ptu") << "HEADER demo, 1, 1\nBEGIN\n#int x;\nSERVICE S1\nTEST T1\nELEMENT\n"
                                        "INCLUDE PTU pipe.ptu\nVAR x, int, init = 1, ev = 1\nEND ELEMENT\nEND TEST\n"
                                        "END SERVICE\n";
    fifo_ = (work / "pipe.ptu").string();
    if (::mkfifo(fifo_.c_str(), 0600) != 0) return;
    if (fullHarness) fs::create_symlink("/dev/full", work / "out/stop.cc");
    else std::ofstream(work / "out/stop.cc") << "earlier harness\n";
    std::ofstream(work / "out/stop.tdc") << "earlier description\n";
    // Whatever the test runner ignores, the compiler starts with the default
    // handling of the signals the tests send. The shell leaves its process
    // number where the test finds it, then becomes the compiler.
    for (int sig : {SIGHUP, SIGINT, SIGTERM}) std::signal(sig, SIG_DFL);
    const std::string pidFile = (root / "pid").string();
    run_ = std::thread([this, env, work, pidFile] {
      result_ = testkit::run({"/bin/sh", "-c", "echo $$ > \"$0\"; exec \"$@\"", pidFile,
                              testkit::stageBin("zentaprepro"), "stop.ptu", "out/stop", "-STD_DEFINE=std.def"},
                             env, work.string());
    });
    // Blocked on the pipe with the work files a, b, c, d, e and f open.
    stopped_ = waitFor([&] { return entries(root / "tmp").size() >= 6; });
    std::ifstream(pidFile) >> pid_;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!stopped_) stop();
  }
  ~StoppedRun() { stop(); }
  bool stopped() const { return stopped_; }
  // Feeds the pipe with the text of the included file. The compiler may stop
  // reading before the end (a fatal error): the write then fails without a
  // SIGPIPE for the test.
  void feed(const std::string& text) const {
    std::signal(SIGPIPE, SIG_IGN);
    if (std::FILE* f = std::fopen(fifo_.c_str(), "w")) {
      std::fputs(text.c_str(), f);
      std::fclose(f);
    }
  }
  void signal(int sig) const {
    if (pid_ > 0) ::kill(pid_, sig);
  }
  // Exit status, or 128 + signal number.
  int wait() {
    if (run_.joinable()) run_.join();
    return result_.status;
  }
  std::string err() const { return result_.err; }  // once the run has ended

 private:
  void stop() {
    if (!run_.joinable()) return;
    if (pid_ > 0) ::kill(pid_, SIGKILL);
    run_.join();
  }
  std::string fifo_;
  std::thread run_;
  pid_t pid_ = -1;
  bool stopped_ = false;
  testkit::Result result_;
};

// Every way out of a stopped run: the work files go, the outputs of the run
// reach their paths only on a clean end, and the earlier ones stay otherwise.
TEST_F(RunTest, EveryWayOutRemovesTheUnfinishedFiles) {
  const struct {
    const char* name;
    int signal;            // 0: the included file is fed instead
    const char* included;  // what the pipe gives
    int status;
    const char* line;  // expected on the error stream
  } table[] = {
      {"segmentation violation", SIGSEGV, nullptr, 9, "Quarto-S-INTERNERR,  "},
      {"abort", SIGABRT, nullptr, 9, "Quarto-S-INTERNERR,  "},
      {"SIGTERM", SIGTERM, nullptr, 128 + SIGTERM, nullptr},
      {"SIGINT", SIGINT, nullptr, 128 + SIGINT, nullptr},
      {"SIGHUP", SIGHUP, nullptr, 128 + SIGHUP, nullptr},
      {"fatal message", 0, "INCLUDE PTU adir\n", 7, "Quarto-F-IMPOUVFIC,  "},
      {"clean end", 0, "-- nothing but a comment\n", 3, nullptr},
  };
  int rowNumber = 0;
  for (const auto& row : table) {
    const fs::path root = scratch.path() / ("row" + std::to_string(++rowNumber));
    fs::create_directories(root / "work/out");
    fs::create_directories(root / "work/adir");
    fs::create_directories(root / "tmp");
    std::ofstream(root / "work/std.def") << "/* none */\n";
    testkit::EnvChanges e = env();
    e["TEMP"] = (root / "tmp").string();
    StoppedRun run(e, root, false);
    ASSERT_TRUE(run.stopped()) << row.name << ": " << run.err();
    // While the run goes on, the harness of the earlier run is whole.
    EXPECT_EQ(testkit::ScratchDir::slurp((root / "work/out/stop.cc").string()), "earlier harness\n") << row.name;
    if (row.signal)
      run.signal(row.signal);
    else
      run.feed(row.included);
    EXPECT_EQ(run.wait(), row.status) << row.name << ": " << run.err();
    if (row.line) {
      EXPECT_NE(run.err().find(row.line), std::string::npos) << row.name << ": " << run.err();
    }
    EXPECT_TRUE(fs::is_empty(root / "tmp")) << row.name;
    const bool clean = row.status == 3;
    const std::vector<std::string> expected =
        clean ? std::vector<std::string>{"stop.cc", "stop.icc", "stop.tdc", "stop_zcls.h"}
              : std::vector<std::string>{"stop.cc", "stop.tdc"};
    EXPECT_EQ(entries(root / "work/out"), expected) << row.name;
    EXPECT_EQ(testkit::ScratchDir::slurp((root / "work/out/stop.cc").string()).rfind("earlier", 0) == 0, !clean) << row.name;
    EXPECT_EQ(testkit::ScratchDir::slurp((root / "work/out/stop.tdc").string()).rfind("earlier", 0) == 0, !clean) << row.name;
  }
}

// The rest of the program goes to the harness, whose device is full: the
// write error comes while the initialisation and termination work files are
// still open.
TEST_F(RunTest, WriteErrorLeavesNoWorkFile) {
  StoppedRun run(env(), scratch.path(), true);
  ASSERT_TRUE(run.stopped()) << run.err();
  std::string rest = "END ELEMENT\nEND TEST\nEND SERVICE\n";
  for (int i = 0; i < 400; ++i)
    rest += "#int filler_" + std::to_string(i) + " = " + std::to_string(i) + ";\n";
  run.feed(rest);
  EXPECT_EQ(run.wait(), 7) << run.err();
  EXPECT_NE(run.err().find("Quarto-F-IMPECRFIC,  "), std::string::npos) << run.err();
  EXPECT_NE(run.err().find("out/stop.cc"), std::string::npos) << run.err();
  EXPECT_TRUE(tmpIsEmpty());
  EXPECT_EQ(entries(scratch.path() / "work/out"), (std::vector<std::string>{"stop.cc", "stop.tdc"}));
  EXPECT_EQ(read("out/stop.tdc"), "earlier description\n");
}

}  // namespace
