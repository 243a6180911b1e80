// Re-included guarded headers are passed over without a scan. The output,
// the messages and the state must be exactly those of the full scan: every
// case is run with the skip off and on and the two runs compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "analyser/lex/pp_state.h"
#include "pp_support.h"
#include "tests/testkit/host_dirs.h"
#include "tests/testkit/process.h"

namespace fs = std::filesystem;
using namespace zenta::analyser;

namespace {

struct Outcome {
  std::string out;
  std::string messages;  // every message, one line each
  bool probeDefined = false;
};

std::string describe(const std::vector<pptest::Message>& ms) {
  std::string r;
  for (const auto& m : ms)
    r += std::to_string(m.severity) + " " + m.code + " [" + m.argument + "] " + m.file + ":" +
         std::to_string(m.line) + "\n";
  return r;
}

// Preprocesses `text` with the include directories `dirs`, the skip on or off.
Outcome runWith(bool skip, const std::string& text, const std::vector<std::string>& dirs,
            const std::vector<std::string>& defines = {}) {
  setPreprocessorGuardSkip(skip);
  pptest::fresh(defines, dirs);
  Outcome r;
  r.out = pptest::run(text, "main.c");
  // What comes after the includes still sees the same state.
  r.out += pptest::run("__LINE__ __FILE__ __INCLUDE_LEVEL__ PROBE\n#ifdef PROBE\nprobe on\n#endif\n", "after.c");
  r.probeDefined = preprocessorMacroDefined("PROBE");
  close_preprocessor();
  r.messages = describe(pptest::messages());
  setPreprocessorGuardSkip(true);
  return r;
}

void expectSame(const std::string& text, const std::vector<std::string>& dirs,
                const std::vector<std::string>& defines = {}) {
  Outcome off = runWith(false, text, dirs, defines);
  Outcome on = runWith(true, text, dirs, defines);
  EXPECT_EQ(off.out, on.out) << text;
  EXPECT_EQ(off.messages, on.messages) << text;
  EXPECT_EQ(off.probeDefined, on.probeDefined) << text;
}

using testkit::hostDirectories;

class GuardSkip : public ::testing::Test {
 protected:
  void TearDown() override { resetPreprocessor(); }
  void write(const std::string& name, const std::string& text) { dir_.write(name, text); }
  testkit::ScratchDir dir_;
};

}  // namespace

// Which texts count as guarded, and by which name.
TEST(GuardDetection, Shapes) {
  struct Case { const char* text; const char* guard; } cases[] = {
      {"#ifndef G\n#define G\nint a;\n#endif\n", "G"},
      {"/* c\n c */\n  // x\n\t#  ifndef   G_H \t\n#define G_H 1\n#endif /* G_H\n */\n// end\n\n", "G_H"},
      {"#ifndef G\n#if A\n#else\n#endif\n#ifdef B\n#elif C\n#else\n#endif\n#endif\n", "G"},
      {"#ifndef G\n#define S \"#endif\"\n/* #endif */ '#'\n#endif\n", "G"},
      {"#ifndef G\n#endif_x\n#endif\n", "G"},
      // Not guarded: something before or after the group, or in its line.
      {"int a;\n#ifndef G\n#endif\n", ""}, {"#ifndef G\n#endif\nint a;\n", ""},
      {"#ifndef G\n#endif\n#pragma once\n", ""}, {"/* c */ #ifndef G\n#endif\n", ""},
      {"#ifndef G /* c */\n#endif\n", ""}, {"#ifndef G X\n#endif\n", ""}, {"#ifndef 1G\n#endif\n", ""},
      {"#if !defined G\n#endif\n", ""}, {"#ifdef G\n#endif\n", ""},
      // The guard's own conditional goes on, or never closes.
      {"#ifndef G\n#else\n#endif\n", ""}, {"#ifndef G\n#elif 1\n#endif\n", ""},
      {"#ifndef G\n#if A\n#endif\n", ""}, {"#ifndef G\n#endif\n#endif\n", ""},
      // Skipping it would raise a message.
      {"#ifndef G\n#if A\n#else\n#else\n#endif\n#endif\n", ""},
      {"#ifndef G\n#if A\n#else\n#elif B\n#endif\n#endif\n", ""}, {"#ifndef G\n/* open\n#endif\n", ""},
      {"#ifndef G\n#endif\n/* open\n", ""}, {"/* open\n#ifndef G\n#endif\n", ""},
  };
  IdentifierTable names;
  pp::Preprocessor p(names);
  for (const auto& c : cases) {
    EXPECT_EQ(p.findIncludeGuard(c.text), c.guard) << c.text;
    EXPECT_EQ(p.quietDepth(), 0);  // messages are delivered again afterwards
  }
}

// Headers of every shape, each included several times in different states;
// the output and messages must not depend on the skip.
TEST_F(GuardSkip, CraftedHeadersGiveTheSameOutput) {
  std::vector<std::string> headers = {
      "#ifndef G1\n#define G1\nint g1;\n#endif\n",
      "\n\n/* lead\n comment */\n#ifndef G2\n#define G2 2\nint g2 = __LINE__;\n#endif /* G2\n */\n\n// tail\n",
      "#ifndef G3\n#define G3\n#if X\n#else\n#else\n#endif\n#endif\n",
      "#ifndef G4\n#define G4\n#else\nelse part __INCLUDE_LEVEL__\n#endif\n",
      "#ifndef G5\n#define G5\n#endif\nafter g5\n",
      "#ifndef G6\n#define G6\n/* open\n#endif\n",
      "#ifndef G7\n#define G7\n#include \"h1.h\"\n#include \"h2.h\"\nint g7;\n#endif\n",
      "#ifndef G8\nint g8;\n#endif\n",  // never defines its guard
      "#ifndef G9\n#define G9\n#warning nine\n#endif\n",
      "#ifndef PROBE\n#define PROBE 1\n#endif\n",
      "#ifndef G11\n#define G11\n#if A\n#elif B\n#else\n#endif\n#endif\n#define AFTER11\n",
  };
  for (std::size_t i = 0; i < headers.size(); ++i) write("h" + std::to_string(i + 1) + ".h", headers[i]);
  std::vector<std::string> dirs = {dir_.path().string()};
  std::string all;
  for (std::size_t i = 0; i < headers.size(); ++i) all += "#include \"h" + std::to_string(i + 1) + ".h\"\n";
  // Each alone, twice, then with text before and after.
  for (std::size_t i = 0; i < headers.size(); ++i) {
    std::string inc = "#include \"h" + std::to_string(i + 1) + ".h\"\n";
    expectSame(inc + inc, dirs);
    expectSame("x " + inc + inc + "y\n" + inc + "z\n", dirs);
    expectSame("#define G" + std::to_string(i + 1) + "\n" + inc + "after\n", dirs);
  }
  // All together, several rounds, with blank lines of different lengths
  // between the includes and text on the same line as the output resumes.
  std::string text = all + "a\n" + all + "\n\n\nb\n" + all + std::string(12, '\n') + "c\n" + all;
  expectSame(text, dirs);
  // Inside conditionals and with the guard's value tested afterwards.
  expectSame(all + "#if 1\n" + all + "#endif\n#ifdef G1\ng1 defined\n#endif\n" + all, dirs);
  // A guard defined on the command line.
  expectSame(all + all, dirs, {"G1", "G2=3", "G7"});
}

// Analysis switched off and on around re-inclusions.
TEST_F(GuardSkip, AnalysisSwitch) {
  write("a.h", "#ifndef GA\n#define GA\nint a;\n#endif\n");
  std::vector<std::string> dirs = {dir_.path().string()};
  expectSame("#include \"a.h\"\n#pragma zenta stop_analyse\n#include \"a.h\"\n"
             "#pragma zenta start_analyse\n#include \"a.h\"\nx\n",
             dirs);
}

// The real thing: every C header of the system, then a few C++ ones.
TEST_F(GuardSkip, SystemHeadersGiveTheSameOutput) {
  std::vector<std::string> dirs = hostDirectories("gcc -E -x c");
  if (dirs.empty()) dirs = {"/usr/include"};
  std::vector<std::string> headers;
  if (fs::exists("/usr/include"))
    for (const auto& e : fs::directory_iterator("/usr/include"))
      if (e.path().extension() == ".h") headers.push_back(e.path().string());
  if (headers.empty()) GTEST_SKIP() << "no system headers";
  std::sort(headers.begin(), headers.end());
  std::string all;
  for (const auto& h : headers) all += "#include \"" + h + "\"\n";
  expectSame(all + all, dirs);
  // Each header alone, twice: the state around each is different.
  for (const auto& h : headers) {
    SCOPED_TRACE(h);
    const std::string inc = "#include \"" + h + "\"\n";
    expectSame(inc + "x\n" + inc, dirs);
  }
  // C++ headers of the standard library, with the language macro set.
  std::string cxx;
  for (const char* h : {"vector", "string", "map", "memory", "iostream", "algorithm", "functional"})
    cxx += std::string("#include <") + h + ">\n";
  const std::vector<std::string> cxxDirs = hostDirectories("g++ -E -x c++");
  if (!cxxDirs.empty()) expectSame(cxx + cxx, cxxDirs, {"__cplusplus=201703L", "__GNUC__=12", "__x86_64__"});
}
