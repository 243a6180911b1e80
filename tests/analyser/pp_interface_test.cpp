// The compiler's start of the analyser and the helpers the script uses.
#include <gtest/gtest.h>

#include "analyser/interface.h"
#include "analyser/lex/preprocessor.h"
#include "cmdline/settings.h"
#include "diag/report.h"
#include "tests/testkit/process.h"

using namespace zenta::analyser;

namespace {

class AnalyserStart : public ::testing::Test {
 protected:
  void SetUp() override {
    zenta::diag::resetForTests();
    resetPreprocessor();
  }
  void TearDown() override {
    resetPreprocessor();
    setDialect(Dialect::Classic);
    zenta::cmdline::resetSettings();
    zenta::diag::resetForTests();
  }
};

TEST_F(AnalyserStart, DefinitionsFileOptionsAndPredefinedNames) {
  testkit::ScratchDir d;
  d.write("defs.h", "#define FROM_DEFS 1\n");
  startAnalyser({d.path().string()}, {"OPT=3"}, d.file("defs.h"));
  for (const char* name : {"ZENTA", "STUBINACTIVE", "FROM_DEFS", "OPT", "ZNT_WIN32", "__STDC__"})
    EXPECT_TRUE(analyserMacroDefined(name)) << name;
  EXPECT_FALSE(analyserMacroDefined("__cplusplus"));
  auto chain = preprocessorIncludeChain();
  ASSERT_FALSE(chain.empty());
  EXPECT_EQ(chain[0], d.path().string());
  EXPECT_EQ(zenta::diag::warningCount(), 0);
}

TEST_F(AnalyserStart, ScriptTextNativeCodeAndTheirMessages) {
  startAnalyser({}, {"OPT=3", "STUBINACTIVE=5"}, std::string());  // a user's STUBINACTIVE is kept
  EXPECT_EQ(preprocessScriptText("  OPT +\n 1 STUBINACTIVE", "s.ptu", 12), "3 + 1 5");
  EXPECT_EQ(preprocessScriptText("", "s.ptu", 12), "");
  EXPECT_EQ(preprocessNativeCode("int a = OPT;\n", "s.ptu", 20), "#line 20 \"s.ptu\"\nint a = 3;\n");
  preprocessNativeCode("#define LATER 4\n", "s.ptu", 30);
  EXPECT_TRUE(analyserMacroDefined("LATER"));
  EXPECT_EQ(zenta::diag::warningCount(), 0);
  // Messages keep the script's position.
  zenta::diag::setCurrentFile("script.ptu");
  zenta::diag::setCurrentLine(7);
  preprocessNativeCode("\n#warning careful\n", "script.ptu", 40);
  EXPECT_EQ(zenta::diag::warningCount(), 1);
  EXPECT_EQ(zenta::diag::currentFile(), "script.ptu");
  EXPECT_EQ(zenta::diag::currentLine(), 7);
}

TEST_F(AnalyserStart, SettingsDriveTheStart) {
  testkit::ScratchDir d;
  d.write("std.def", "#define STANDARD_DEFS 1\n");
  auto& s = zenta::cmdline::mutableSettings();
  s.includeDirectories = {d.path().string()};
  s.definitions = {"FROM_OPTION"};
  s.standardDefinitions = d.file("std.def");
  s.analysis = false;
  startAnalyser();
  EXPECT_FALSE(analyserMacroDefined("ZENTA"));
  s.analysis = true;
  startAnalyser();
  EXPECT_TRUE(analyserMacroDefined("STANDARD_DEFS"));
  EXPECT_TRUE(analyserMacroDefined("FROM_OPTION"));
  EXPECT_TRUE(analyserMacroDefined("ZENTA"));
}

// The language name of the settings selects the dialect of the analysis.
TEST_F(AnalyserStart, LanguageNameSelectsTheDialect) {
  auto& s = zenta::cmdline::mutableSettings();
  const std::pair<const char*, Dialect> cases[] = {{"C++17", Dialect::Cxx17},
                                                   {"C++11", Dialect::Cxx11}, {"C++23", Dialect::Cxx23},
                                                   {"C++", Dialect::Classic}};
  for (const auto& [name, expected] : cases) {
    s.languageName = name;
    startAnalyser();
    EXPECT_EQ(dialect(), expected) << name;
  }
  // The plain lists start in the dialect they are given, Classic by default.
  startAnalyser({}, {}, std::string(), Dialect::Cxx20);
  EXPECT_EQ(dialect(), Dialect::Cxx20);
  startAnalyser({}, {}, std::string());
  EXPECT_EQ(dialect(), Dialect::Classic);
}

// A header read in one dialect is read again in another: its digraphs and
// trigraphs follow the rules of the analysis that includes it.
TEST_F(AnalyserStart, HeadersAreReadByTheRulesOfTheDialect) {
  testkit::ScratchDir d;
  d.write("h.h", "a<:1:> \"<:\" ?" "?(\n");
  const std::string include = "#include \"" + d.file("h.h") + "\"\n";
  const std::pair<Dialect, const char*> cases[] = {{Dialect::Classic, "a[1] \"[\" ["},
                                                   {Dialect::Cxx14, "a[1] \"<:\" ["},
                                                   {Dialect::Cxx17, "a[1] \"<:\" ?" "?("},
                                                   {Dialect::Classic, "a[1] \"[\" ["}};
  for (const auto& [analysed, expected] : cases) {
    startAnalyser({}, {}, std::string(), analysed);
    const std::string out = preprocessNativeCode(include, "s.ptu", 1, false);
    EXPECT_NE(out.find(expected), std::string::npos) << dialectName(analysed) << "\n" << out;
  }
}

}  // namespace
