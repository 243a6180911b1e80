// The staged compiler on whole scripts: exit status, the messages on the
// error stream, and survival of hostile input.
#include <gtest/gtest.h>

#include <random>

#include "../testkit/process.h"

namespace {

const char* kClean =
    "HEADER mod, 1.0, x\nBEGIN\nSERVICE s1\nTEST t1\nFAMILY nominal\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
    "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";

testkit::Result compile(const testkit::ScratchDir& dir, const std::string& script,
                        const std::vector<std::string>& options = {}, testkit::EnvChanges env = {}) {
  dir.write("s.ptu", script);
  std::vector<std::string> argv{testkit::stageBin("zentaprepro"), "s.ptu", "s.cc", "."};
  argv.insert(argv.end(), options.begin(), options.end());
  env["QUARTODIR"] = testkit::stageDir();
  env["ZNTTGT"] = testkit::stageDir();
  if (!env.count("ZENTALAN")) env["ZENTALAN"] = std::nullopt;
  return testkit::run(argv, env, dir.path().string());
}

struct StatusCase {
  const char* name;
  std::string script;
  int status;
  std::vector<std::string> expectedInStderr;
  std::vector<std::string> options = {};
  testkit::EnvChanges env = {};
};

TEST(Program, ExitStatusAndMessages) {
  std::string longStatement = "HEADER m, 1, x\nBEGIN\nCOMMENT x\n";
  for (int i = 0; i < 10000; ++i) longStatement += "& abcdefghij\n";
  const std::vector<StatusCase> cases = {
      {"clean", kClean, 0, {"0 error and 0 warning"}},
      {"warnings only", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nEND ELEMENT\nEND FAMILY\n"
                        "END TEST\nEND SERVICE\n", 3, {"ELMT_VIDE,  [./s.ptu:8]"}},
      {"implicit service is an error", "HEADER m, 1, x\nBEGIN\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\n"
                                       "END FAMILY\nEND TEST\nEND SERVICE\n", 5, {"Quarto-E-MOTCLEABS,  [./s.ptu:4]"}},
      {"comments only", "-- nothing\n-- here\n", 7, {"AUCUNMETA"}},
      {"too long statement", longStatement, 7, {"LINETOLON"}},
      {"service selection", kClean, 5, {"OPER_INEX", "PROGXVIDE"}, {"-SERVICE=S2"}},
      {"an English script under French", kClean, 0, {"LANSWITCH"}, {}, {{"ZENTALAN", "FR"}}},
  };
  for (const StatusCase& c : cases) {
    testkit::ScratchDir dir;
    const testkit::Result r = compile(dir, c.script, c.options, c.env);
    EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.err;
    for (const std::string& s : c.expectedInStderr) EXPECT_NE(r.err.find(s), std::string::npos) << c.name << ": " << s << "\n" << r.err;
    // Errors delete the harness.
    if (c.status == 0 || c.status == 5) {
      EXPECT_EQ(dir.exists("s.cc"), c.status == 0) << c.name;
    }
  }
}

// Trace 2 copies the statements as comments; native lines are written
// and analysed, written only, or analysed only by their marker.
TEST(Program, HarnessCopiesStatementsAndNativeLinesByMarker) {
  testkit::ScratchDir dir;
  const std::string script =
      "HEADER m, 1, x\nBEGIN\n#int written_and_analysed;\n@int written_only;\n!int analysed_only;\n"
      "SERVICE s1\nTEST t1\nFAMILY nominal\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\n"
      "END TEST\nEND SERVICE\n";
  ASSERT_EQ(compile(dir, script, {"-XT=2"}).status, 0);
  const std::string harness = dir.read("s.cc");
  for (const char* part : {"// VAR x, int, INIT = 1, EV = 1 \n", "// SERVICE s1 \n", "\nint written_and_analysed;",
                           "\nint written_only;"})
    EXPECT_NE(harness.find(part), std::string::npos) << part;
  EXPECT_EQ(harness.find("int analysed_only"), std::string::npos);
}

// Hostile input: every run ends with a status of its own, never a signal.
TEST(Program, HostileScriptsEndWithAStatus) {
  std::mt19937 rng(42);
  std::vector<std::pair<std::string, std::string>> scripts;
  std::string random;
  for (int i = 0; i < 3 * 30000; ++i) random += static_cast<char>(rng() & 0xff);
  for (int round = 0; round < 3; ++round) scripts.emplace_back("random bytes", random.substr(round * 30000, 30000));
  scripts.emplace_back("nul bytes and long lines", "HEADER m, 1, x\nBEGIN\nSERVICE s" + std::string(4, '\0') +
                                                       "\nTEST t\n" + std::string(30000, 'x') + "\nVAR " +
                                                       std::string(30000, 'v') + "\nEND SERVICE\n");
  scripts.emplace_back("self include", "HEADER m, 1, x\nBEGIN\nINCLUDE PTU s.ptu\nSERVICE s\nTEST t\nEND SERVICE\n");
  std::string deep = "HEADER m, 1, x\nBEGIN\n";
  for (int i = 0; i < 3000; ++i) deep += "IF A\nSIMUL\nSEQUENCE\n";
  scripts.emplace_back("deep nesting", deep);
  for (const auto& [name, script] : scripts) {
    testkit::ScratchDir dir;
    const auto r = compile(dir, script);
    EXPECT_TRUE(r.status == 0 || r.status == 3 || r.status == 5 || r.status == 7) << name << " " << r.status;
    EXPECT_NE(r.err.find("End of execution"), std::string::npos) << name;
  }
}


// An included PTU file leaves an "I" record, numbered like every other
// record, so the service after it carries the next number in the
// description and in the harness alike.
TEST(Program, IncludedPtuFilesAreRecordedInTheDescription) {
  struct Case {
    const char* name;
    std::string include;
    std::string record;  // the "I1" line, empty when none
    int status;
    const char* message;  // in the error stream
    std::vector<std::string> options = {};
  };
  const auto record = [](const std::string& file, const std::string& directory) {
    std::string text = file + std::string(25 - file.size(), ' ') + " / " + directory;
    return "I1 " + text + std::string(85 - text.size(), ' ') + " / ./s.ptu";
  };
  const std::vector<Case> cases = {
      {"found as written", "INCLUDE PTU sub.ptu", record("sub.ptu", std::string(34, '-')), 0, "0 error"},
      {"found in an include directory", "INCLUDE PTU inc.ptu", record("inc.ptu", "lib"), 0, "0 error", {"-INCL=lib"}},
      {"in a subdirectory", "INCLUDE PTU lib/inc.ptu", record("lib/inc.ptu", "lib"), 0, "0 error"},
      {"empty name", "INCLUDE PTU", "", 3, "W-INC_NVIDE"},
      {"missing file", "INCLUDE PTU nowhere.ptu", "", 5, "E-FICINCINC"},
  };
  for (const Case& c : cases) {
    testkit::ScratchDir dir;
    dir.write("sub.ptu", "COMMENT included\n");
    dir.write("lib/inc.ptu", "COMMENT included\n");
    const std::string script = "HEADER m, 1, x\nBEGIN\n" + c.include + "\nSERVICE s1\nTEST t1\nFAMILY nominal\n"
                               "ELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";
    const auto r = compile(dir, script, c.options);
    EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << "\n" << r.err;
    if (c.status == 5) continue;
    const std::string tdc = dir.read("s.tdc");
    const int service = c.record.empty() ? 1 : 3;  // after the include and its comment
    EXPECT_NE(tdc.find("\nO" + std::to_string(service) + " S1\n"), std::string::npos) << c.name << "\n" << tdc;
    EXPECT_NE(dir.read("s.cc").find("DCL_OP_CPP(" + std::to_string(service) + ", \"S1\")"), std::string::npos)
        << c.name;
    if (!c.record.empty()) {
      EXPECT_NE(tdc.find("\n" + c.record + "\n"), std::string::npos) << c.name << "\n" << tdc;
    }
    EXPECT_EQ(r.err.find("FICINCINC"), std::string::npos) << c.name;
  }
}


// The include lines of the separate source file reach the analyser before
// the script is read: a macro of a header that the source includes answers
// the script's IF.
TEST(Program, IncludeLinesOfTheSeparateSourceFileAreAnalysed) {
  for (const std::string source : {"code.cpp", "src/code.cpp"}) {
    testkit::ScratchDir dir;
    const std::string folder = source.substr(0, source.rfind('/') + 1);
    dir.write(source, "#include <cstdio>\n#  include \"defs.h\"\nint f() { return FROM_SOURCE_HEADER; }\n");
    dir.write(folder + "defs.h", "#define FROM_SOURCE_HEADER 1\n");
    const std::string script = "HEADER m, 1, x\nBEGIN\nIF FROM_SOURCE_HEADER\nSERVICE s1\nTEST t1\nFAMILY nominal\n"
                               "ELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n"
                               "END IF\n";
    const auto r = compile(dir, script, {"-SOURCE=" + source});
    EXPECT_EQ(r.status, 0) << source << "\n" << r.err;
    EXPECT_NE(dir.read("s.cc").find("zenta.TEST_S1();"), std::string::npos) << source;
  }
}


// The description line of a variable carries the position of its statement
// (the line that ended it), not that of END ELEMENT.
TEST(Program, VariablePositionIsThatOfItsStatement) {
  testkit::ScratchDir dir;
  const auto r = compile(dir,
                         "HEADER m, 1, x\n#int counter;\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\n"
                         "VAR counter, INIT = 1, EV = 2\n\n\n\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
                         {});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(dir.read("s.tdc").find("\nE12 0 9\n"), std::string::npos) << dir.read("s.tdc");
}

}  // namespace
