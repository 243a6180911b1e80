// The options for builds and editors, end to end through the staged
// program: -MESSAGES=IDE (the form "file:line: severity: text [CODE]" at the
// statement's first line) and -DEPFILE=<file> (a Make rule naming the
// harness and every file the run read).
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/driver/staged_run.h"

namespace {

using staged::compile;

// A script whose statements raise messages at known lines; its last PTU
// statement lies at the end of an included file, and its header warns.
void writeMessageScript(const testkit::ScratchDir& dir) {
  dir.write("h.h", "#ifndef H_H\n#define H_H\n#warning careful\nextern int x;\n#endif\n");
  dir.write("inc.ptu",
            "TEST 2\nFAMILY nominal\nELEMENT\nVAR x, init=1, ev=1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
            "BAR baz\n");
  dir.write("e.ptu",
            "HEADER m,1,1\n"             // 1
            "##include \"h.h\"\n"        // 2
            "BEGIN\n"                    // 3
            "SERVICE s\n"                // 4
            "CONST K = 1\n"              // 5  error: a constant after SERVICE
            "TEST 1\n"                   // 6
            "FAMILY nominal\n"           // 7
            "ELEMENT\n"                  // 8
            "FOO bar\n"                  // 9  unknown keyword
            "VAR x, init=1, ev=1\n"      // 10
            "VAR nothing_here, init=1,\n"  // 11 unknown name, on two lines
            "& ev = 2\n"                 // 12
            "VAR x, init=1,\n"           // 13 the same variable again
            "& ev = 1\n"                 // 14
            "\n"                         // 15
            "END ELEMENT\n"              // 16
            "END FAMILY\n"               // 17
            "END TEST\n"                 // 18
            "INCLUDE PTU inc.ptu\n"      // 19
            "END SERVICE\n");            // 20
}

struct MessageCase {
  const char* classic;  // the line in the classic form
  const char* ide;      // the same message in the IDE form
};

TEST(IdeMessages, EveryMessageAtItsStatementsFirstLine) {
  // In the order the run reports them.
  const MessageCase cases[] = {
      {"Quarto-I-STARTEXEC,  Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020\n",
       "zentaprepro: note: Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020 [STARTEXEC]\n"},
      // A header keeps its own position.
      {"Quarto-W-WARNERR,  [h.h:3] #warning careful\n", "h.h:3: warning: #warning careful [WARNERR]\n"},
      {"Quarto-E-FORWCONST,  [./e.ptu:6] Constant value K = 1 declared after the SERVICE keyword\n",
       "./e.ptu:5: error: Constant value K = 1 declared after the SERVICE keyword [FORWCONST]\n"},
      {"Quarto-W-STXMETAIN,  [./e.ptu:10] Unknown keyword: FOO bar\n",
       "./e.ptu:9: warning: Unknown keyword: FOO bar [STXMETAIN]\n"},
      // Statements on two lines: their first line.
      {"Quarto-W-IDENTIINC,  [./e.ptu:13] Unknown ident nothing_here\n",
       "./e.ptu:11: warning: Unknown ident nothing_here [IDENTIINC]\n"},
      {"Quarto-W-NOMVARDBL,  [./e.ptu:15] Variable x overloads other variables in the same test\n",
       "./e.ptu:13: warning: Variable x overloads other variables in the same test [NOMVARDBL]\n"},
      // The last statement of the included file is handled back in e.ptu.
      {"Quarto-W-STXMETAIN,  [./e.ptu:20] Unknown keyword: BAR baz\n",
       "inc.ptu:8: warning: Unknown keyword: BAR baz [STXMETAIN]\n"},
      {"Quarto-I-ENDERRWAR,  End of execution with 1 error(s) and 5 warning(s)\n",
       "zentaprepro: note: End of execution with 1 error(s) and 5 warning(s) [ENDERRWAR]\n"},
  };
  testkit::ScratchDir dir;
  writeMessageScript(dir);
  const auto classic = compile(dir, {"e.ptu", "out.cc"});
  const auto ide = compile(dir, {"e.ptu", "out.cc", "-MESSAGES=IDE"});
  EXPECT_EQ(classic.status, 5);
  EXPECT_EQ(ide.status, 5);
  std::string allClassic, allIde;
  for (const MessageCase& c : cases) {
    allClassic += c.classic;
    allIde += c.ide;
  }
  EXPECT_EQ(classic.err, allClassic);
  EXPECT_EQ(ide.err, allIde);
  // The list file keeps the classic form.
  const std::string listed = dir.read("e.lis");
  for (const MessageCase& c : cases) {
    if (std::string(c.classic).find("STARTEXEC") == std::string::npos) {
      EXPECT_NE(listed.find(c.classic), std::string::npos) << c.classic;
    }
  }
  EXPECT_EQ(listed.find("warning:"), std::string::npos) << listed;
}

TEST(IdeMessages, FatalMessagesAndValueSpellings) {
  testkit::ScratchDir dir;
  for (const char* option : {"-MESSAGES=IDE", "-messages=ide", "-MES=I"}) {
    const auto r = compile(dir, {"none.ptu", "out.cc", option});
    EXPECT_EQ(r.status, 7) << option;
    EXPECT_NE(r.err.find("zentaprepro: fatal error: Cannot open the file ./none.ptu [IMPOUVFIC]\n"), std::string::npos)
        << option << "\n" << r.err;
  }
  // The classic form is the default, and can be asked for.
  for (std::vector<std::string> extra : {std::vector<std::string>{}, {"-MESSAGES=CLASSIC"}}) {
    std::vector<std::string> args = {"none.ptu", "out.cc"};
    args.insert(args.end(), extra.begin(), extra.end());
    const auto r = compile(dir, args);
    EXPECT_NE(r.err.find("Quarto-F-IMPOUVFIC,  Cannot open the file ./none.ptu\n"), std::string::npos)
        << r.err;
  }
  // Any other value is refused by the decoder.
  const auto bad = compile(dir, {"none.ptu", "out.cc", "-MESSAGES=GNU"});
  EXPECT_EQ(bad.status, 7);
  EXPECT_NE(bad.err.find("Unknown value of option, -MESSAGES=GNU"), std::string::npos) << bad.err;
}

// ---------------------------------------------------------------------------
// The dependency file

// The words of Make rules: continuation lines joined, split at blanks that
// are not escaped, escapes undone; a word ending in ":" is a target.
std::vector<std::string> makeWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  auto flush = [&] {
    if (!word.empty()) words.push_back(word);
    word.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      flush();
    } else if (c == '\\' && i + 1 < text.size() && (text[i + 1] == ' ' || text[i + 1] == '#')) {
      word += text[++i];
    } else if (c == '$' && i + 1 < text.size() && text[i + 1] == '$') {
      word += text[++i];
    } else if (c == ' ' || c == '\n' || c == '\t') {
      flush();
    } else {
      word += c;
    }
  }
  flush();
  return words;
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The headers g++ reads for the same include line, with the same include
// directory: a list nobody here wrote.
std::set<std::string> headersOfGxx(const testkit::ScratchDir& dir, const std::string& includeDir) {
  dir.write("probe.cc", "#include \"h.h\"\n");
  const auto r = testkit::run({"/usr/bin/env", "g++", "-MM", "-I" + includeDir, dir.file("probe.cc")}, {},
                              dir.path().string());
  std::set<std::string> headers;
  for (const std::string& w : makeWords(r.out))
    if (endsWith(w, ".h")) headers.insert(w);
  return headers;
}

TEST(DependencyFile, NamesTheHarnessTheScriptItsPtuFilesAndEveryHeaderRead) {
  testkit::ScratchDir dir;
  const std::string root = dir.path().string();
  const std::string includeDir = root + "/sub dir";
  dir.write("sub dir/h.h", "#ifndef H_H\n#define H_H\n#include \"inner.h\"\nextern int x;\n#endif\n");
  dir.write("sub dir/inner.h", "extern int y;\n");
  dir.write("code.h", "extern int z;\n");
  dir.write("inc.ptu", "TEST 2\nFAMILY nominal\nELEMENT\nVAR y, init=1, ev=1\nEND ELEMENT\nEND FAMILY\nEND TEST\n");
  dir.write("e.ptu",
            "HEADER m,1,1\n##include \"h.h\"\nBEGIN\nINCLUDE CODE code.h\nSERVICE s\n"
            "TEST 1\nFAMILY nominal\nELEMENT\nVAR x, init=1, ev=1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
            "INCLUDE PTU inc.ptu\nEND SERVICE\n");
  std::filesystem::create_directories(dir.path() / "out");
  const auto r = compile(dir, {"e.ptu", "out/e.cc", "-INCL=" + includeDir, "-DEPFILE=out/e.d"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = dir.read("out/e.d");
  const std::vector<std::string> words = makeWords(text);
  ASSERT_FALSE(words.empty()) << text;
  // One rule, the harness's, with absolute paths; a blank is escaped.
  EXPECT_EQ(words.front(), root + "/out/e.cc:");
  EXPECT_NE(text.find(root + "/sub\\ dir/h.h"), std::string::npos) << text;

  struct Expected {
    std::string path;
    const char* what;
  };
  const Expected expected[] = {
      {root + "/e.ptu", "the script"},
      {root + "/inc.ptu", "a PTU file included with INCLUDE PTU"},
      {root + "/code.h", "a code file included with INCLUDE CODE"},
      {includeDir + "/h.h", "a header read through ##include"},
      {includeDir + "/inner.h", "a header that header includes"},
      {testkit::stageDir() + "/lib/TP.h", "the runtime header"},
      {testkit::stageDir() + "/ana/znus_c.def", "the standard definitions"},
  };
  const std::set<std::string> listed(words.begin() + 1, words.end());
  for (const Expected& e : expected) EXPECT_EQ(listed.count(e.path), 1u) << e.what << "\n" << text;
  EXPECT_EQ(listed.size(), std::size(expected)) << text;
  EXPECT_EQ(words.size(), listed.size() + 1) << "each file once\n" << text;

  // The headers of the code are those g++ reads for the same include line.
  std::set<std::string> headers;
  for (const std::string& w : listed)
    if (w.rfind(includeDir, 0) == 0) headers.insert(w);
  EXPECT_EQ(headers, headersOfGxx(dir, includeDir));
}

// The dependency file is written by a run that ends with warnings, not by
// one with errors (which leaves no harness either), and never without the
// option; a file that cannot be written is fatal and leaves no harness.
TEST(DependencyFile, WrittenWithWarningsNotWithErrorsNorWithoutTheOption) {
  const std::string body = "TEST 1\nFAMILY nominal\nELEMENT\nVAR x, init=1, ev=1\nEND ELEMENT\nEND FAMILY\n"
                           "END TEST\nEND SERVICE\n";
  const struct {
    const char* name;
    const char* statement;  // after SERVICE
    std::vector<std::string> options;
    int status;
    bool written;
    const char* message;
  } cases[] = {
      {"warning", "FOO bar\n", {"-DEPFILE=w.d"}, 3, true, nullptr},
      {"error", "CONST K = 1\n", {"-DEPFILE=w.d"}, 5, false, nullptr},
      {"no option", "FOO bar\n", {}, 3, false, nullptr},
      {"unwritable", "", {"-DEPFILE=no/such/dir/w.d"}, 7, false, "Cannot open the file no/such/dir/w.d\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testkit::ScratchDir dir;
    dir.write("w.ptu", std::string("HEADER m,1,1\n##int x;\nBEGIN\nSERVICE s\n") + c.statement + body);
    std::vector<std::string> args = {"w.ptu", "w.cc"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const auto r = compile(dir, args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(dir.exists("w.d"), c.written);
    EXPECT_EQ(dir.exists("w.cc"), c.status == 3);
    if (c.message) {
      EXPECT_NE(r.err.find("Quarto-F-IMPOUVFIC,  "), std::string::npos) << r.err;
      EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
  }
}

}  // namespace
