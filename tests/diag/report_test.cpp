#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "diag/catalogue.h"
#include "diag/report.h"
#include "tests/testkit/child.h"
#include "tests/testkit/process.h"

namespace {

using namespace zenta;

class Report : public ::testing::Test {
 protected:
  void SetUp() override {
    diag::resetForTests();
    diag::setExitCleanup(nullptr);
    diag::clearCatalogueForTests();
    diag::registerCatalogues();
  }
  void TearDown() override {
    diag::resetForTests();
    diag::setExitCleanup(nullptr);
  }
};

struct LineCase {
  const char* file;
  int line;
  int severity;
  const char* code;
  const char* argument;
  const char* expected;
};

TEST_F(Report, MessageLinesByteForByte) {
  const LineCase cases[] = {
      {"", 0, diag::Information, "STARTEXEC", "Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020",
       "Quarto-I-STARTEXEC,  Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020\n"},
      // Before any line is read the line is -1 and still shown with a file.
      {"t.ptu", -1, diag::Error, "INVMOTCLE", "FOO", "Quarto-E-INVMOTCLE,  [t.ptu:-1] Unknown keyword FOO\n"},
      {"f", -1, diag::Fatal, "IMPOUVFIC", "x.h", "Quarto-F-IMPOUVFIC,  [f:-1] Cannot open the file x.h\n"},
      {"", 12, diag::Warning, "MOTCLEOBS", "SYSTEM", "Quarto-W-MOTCLEOBS,  [12] Obsolete keyword SYSTEM\n"},
      {"", 0, diag::Error, "DIVBYZERO", "", "Quarto-E-DIVBYZERO,  Division by zero\n"},
      // A text without "%2" never shows the argument.
      {"a.h", 3, diag::Severe, "EXTNUMIMP", "lost", "Quarto-S-EXTNUMIMP,  [a.h:3] Impossible to extract line number\n"},
      // A text whose only marker is "%1" shows the prefix there.
      {"", 7, diag::Warning, "TEMINSINC", "lost", "Quarto-W-TEMINSINC,  Incorrect template instantiation: [7] \n"},
      // A text with no marker at all.
      {"", 7, diag::Warning, "BADRUNTIM", "lost",
       "Quarto-W-BADRUNTIM,  Target Package not found, check ZNTTGT environment variable.\n"},
      // A code missing from the catalogue: prefix, one blank, argument.
      {"m.ptu", 4, diag::Error, "NOSUCHCOD", "arg", "Quarto-E-NOSUCHCOD,  [m.ptu:4]  arg\n"},
      {"", 0, diag::Information, "NOSUCHCOD", "arg", "Quarto-I-NOSUCHCOD,   arg\n"},
      // Markers brought in by the prefix or the argument are left alone.
      {"p%2.h", 1, diag::Error, "INVMOTCLE", "%1%2", "Quarto-E-INVMOTCLE,  [p%2.h:1] Unknown keyword %1%2\n"},
      // The reserved code: letter, prefix and argument, no newline.
      {"x.ptu", 9, diag::Error, "FEADA95", "raw text", "Quarto-E-[x.ptu:9] raw text"},
      {"", 0, diag::Information, "FEADA95", "raw", "Quarto-I-raw"},
  };
  for (const LineCase& c : cases) {
    diag::setCurrentFile(c.file);
    diag::setCurrentLine(c.line);
    EXPECT_EQ(diag::formatLine(c.severity, c.code, c.argument), c.expected) << c.code;
  }
}

TEST_F(Report, CurrentFileKeepsAThousandByteBuffer) {
  diag::setCurrentFile(std::string(1500, 'a'));
  EXPECT_EQ(diag::currentFile().size(), 999u);
}

TEST_F(Report, SixtyFirstErrorIsCountedButOnlyInTheListFile) {
  testkit::ScratchDir dir;
  diag::openListFile(dir.file("run.lis"));
  testing::internal::CaptureStderr();
  for (int i = 1; i <= 61; ++i) {
    diag::setCurrentLine(i);
    diag::error("INVMOTCLE", "K" + std::to_string(i));
  }
  const std::string err = testing::internal::GetCapturedStderr();
  diag::closeListFile();
  EXPECT_EQ(diag::errorCount(), 61);
  EXPECT_NE(err.find("Quarto-E-INVMOTCLE,  [60] Unknown keyword K60\n"), std::string::npos);
  EXPECT_EQ(err.find("K61"), std::string::npos);
  EXPECT_TRUE(diag::hiddenMessages());
  EXPECT_NE(dir.read("run.lis").find("Quarto-E-INVMOTCLE,  [61] Unknown keyword K61\n"), std::string::npos);
}

TEST_F(Report, RepeatedWarningAtTheSamePlaceIsCountedTwiceShownOnce) {
  testing::internal::CaptureStderr();
  diag::setCurrentFile("t.ptu");
  diag::setCurrentLine(5);
  diag::warning("MOTCLEOBS", "A");
  diag::warning("MOTCLEOBS", "B");  // repeat: same code, file and line
  diag::setCurrentLine(6);
  diag::warning("MOTCLEOBS", "C");  // another line: shown
  diag::information("MATCHLINE", "x");
  diag::warning("MOTCLEOBS", "D");  // the last message was another code: shown
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(diag::warningCount(), 4);
  EXPECT_EQ(err.find(" B\n"), std::string::npos);
  EXPECT_NE(err.find(" A\n"), std::string::npos);
  EXPECT_NE(err.find(" C\n"), std::string::npos);
  EXPECT_NE(err.find(" D\n"), std::string::npos);
  EXPECT_TRUE(diag::hiddenMessages());
}

TEST_F(Report, InformationIsNeverCountedNorHidden) {
  diag::setDisplayLimits(1, 1);
  testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) diag::information("MATCHLINE", "m");  // repeats, yet shown
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(diag::errorCount() + diag::warningCount(), 0);
  EXPECT_EQ(err,
            "Quarto-I-MATCHLINE,  Matches line m\n"
            "Quarto-I-MATCHLINE,  Matches line m\n"
            "Quarto-I-MATCHLINE,  Matches line m\n");
  EXPECT_FALSE(diag::hiddenMessages());
}

TEST_F(Report, DisplayLimitsIgnoreValuesNotAboveZero) {
  diag::setDisplayLimits(0, -4);
  EXPECT_EQ(diag::errorDisplayLimit(), 60);
  EXPECT_EQ(diag::warningDisplayLimit(), 120);
  diag::setDisplayLimits(2, 1);
  EXPECT_EQ(diag::errorDisplayLimit(), 2);
  EXPECT_EQ(diag::warningDisplayLimit(), 1);
  testing::internal::CaptureStderr();
  for (int i = 1; i <= 3; ++i) {
    diag::setCurrentLine(i);
    diag::error("INVMOTCLE", "E" + std::to_string(i));
    diag::warning("MOTCLEOBS", "W" + std::to_string(i));
  }
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("E2\n"), std::string::npos);
  EXPECT_EQ(err.find("E3\n"), std::string::npos);
  EXPECT_NE(err.find("W1\n"), std::string::npos);
  EXPECT_EQ(err.find("W2\n"), std::string::npos);
  EXPECT_EQ(diag::errorCount(), 3);
  EXPECT_EQ(diag::warningCount(), 3);
}

TEST_F(Report, ReportAtMakesItsFileAndLineCurrent) {
  testing::internal::CaptureStderr();
  diag::reportAt(3, "REDEFSYMB", "x", "inc.h", 42);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "Quarto-W-REDEFSYMB,  [inc.h:42] Symbol x redefined\n");
  EXPECT_EQ(diag::currentFile(), "inc.h");
  EXPECT_EQ(diag::currentLine(), 42);
  EXPECT_EQ(diag::warningCount(), 1);
}

TEST_F(Report, WrappedWriterCutsAtEightyColumnsAndAtNewlines) {
  testkit::ScratchDir dir;
  diag::openListFile(dir.file("w.lis"));
  diag::writeToListFileWrapped(std::string(170, 'x') + "\nshort");
  diag::writeToListFile("plain");
  diag::closeListFile();
  EXPECT_EQ(dir.read("w.lis"),
            std::string(80, 'x') + "\n" + std::string(80, 'x') + "\n" + std::string(10, 'x') + "\nshort\nplain");
}

TEST_F(Report, NothingIsWrittenWithoutAListFile) {
  diag::openListFile("");
  EXPECT_FALSE(diag::listFileOpen());
  diag::writeToListFile("lost");
  testing::internal::CaptureStderr();
  diag::warning("MOTCLEOBS", "x");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Quarto-W-MOTCLEOBS,  Obsolete keyword x\n");
}

// The ways out, each run in a child process.

struct SummaryCase {
  int errors;
  int warnings;
  int status;
  const char* summary;
};

TEST_F(Report, TheFourSummariesAndTheirExitStatus) {
  const SummaryCase cases[] = {
      {2, 1, 5, "Quarto-I-ENDERRWAR,  End of execution with 2 error(s) and 1 warning(s)\n"},
      {2, 0, 5, "Quarto-I-ENDERRNWR,  End of execution with 2 error(s)\n"},
      {0, 1, 3, "Quarto-I-ENDNOEWAR,  End of execution with 1 warning(s)\n"},
      {0, 0, 0, "Quarto-I-ENDNOENWR,  End of execution with 0 error and 0 warning\n"},
  };
  for (const SummaryCase& c : cases) {
    testkit::ScratchDir dir;
    const std::string list = dir.file("s.lis");
    auto o = testkit::endOf([&] {
      diag::openListFile(list);
      for (int i = 0; i < c.errors; ++i) {
        diag::setCurrentLine(i + 1);
        diag::error("INVMOTCLE", "e");
      }
      for (int i = 0; i < c.warnings; ++i) {
        diag::setCurrentLine(100 + i);
        diag::warning("MOTCLEOBS", "w");
      }
      diag::endOfRun();
    });
    EXPECT_EQ(o.status, c.status) << c.summary;
    ASSERT_GE(o.err.size(), std::string(c.summary).size());
    EXPECT_EQ(o.err.substr(o.err.size() - std::string(c.summary).size()), c.summary);
    // A clean run leaves no list file; any other keeps it, summary last.
    if (c.status == 0) {
      EXPECT_FALSE(dir.exists("s.lis"));
    } else {
      EXPECT_EQ(dir.read("s.lis"), o.err);
    }
  }
}

TEST_F(Report, HiddenMessagesAnnounceTheListFileBeforeTheSummary) {
  testkit::ScratchDir dir;
  const std::string list = dir.file("h.lis");
  auto o = testkit::endOf([&] {
    diag::openListFile(list);
    for (int i = 1; i <= 61; ++i) {
      diag::setCurrentLine(i);
      diag::error("INVMOTCLE", "e");
    }
    diag::endOfRun();
  });
  EXPECT_EQ(o.status, 5);
  const std::string tail = "Quarto-I-MORERWALI,  more detailed Errors/Warnings can be found in file " + list +
                           "\nQuarto-I-ENDERRNWR,  End of execution with 61 error(s)\n";
  ASSERT_GE(o.err.size(), tail.size());
  EXPECT_EQ(o.err.substr(o.err.size() - tail.size()), tail);
  const std::string kept = dir.read("h.lis");
  EXPECT_NE(kept.find("[61] Unknown keyword e\n"), std::string::npos);
  EXPECT_EQ(kept.substr(kept.size() - tail.size()), tail);
}

TEST_F(Report, NoAnnouncementWhenNothingWasHidden) {
  auto o = testkit::endOf([] {
    diag::warning("MOTCLEOBS", "w");
    diag::endOfRun();
  });
  EXPECT_EQ(o.status, 3);
  EXPECT_EQ(o.err.find("MORERWALI"), std::string::npos);
}

int g_cleanups = 0;
std::string g_marker;
void markCleanup() {
  ++g_cleanups;
  std::fputs("cleanup\n", stderr);
  if (!g_marker.empty()) std::ofstream(g_marker) << "done";
}

struct ExitCase {
  const char* name;
  int severity;
  int status;
  const char* line;
};

TEST_F(Report, SevereAndFatalRunTheCleanupWriteTheLineAndExit) {
  const ExitCase cases[] = {
      {"severe", diag::Severe, 9, "Quarto-S-ERRINTFCT,  [k.ptu:2] Internal error in the function f\n"},
      {"fatal", diag::Fatal, 7, "Quarto-F-ERRINTFCT,  [k.ptu:2] Internal error in the function f\n"},
  };
  for (const ExitCase& c : cases) {
    testkit::ScratchDir dir;
    const std::string list = dir.file("k.lis");
    g_marker = dir.file("marker");
    auto o = testkit::endOf([&] {
      diag::setExitCleanup(&markCleanup);
      diag::openListFile(list);
      diag::setCurrentFile("k.ptu");
      diag::setCurrentLine(2);
      if (c.severity == diag::Severe) diag::severe("ERRINTFCT", "f");
      diag::fatal("ERRINTFCT", "f");
    });
    EXPECT_EQ(o.status, c.status) << c.name;
    EXPECT_EQ(o.err, std::string("cleanup\n") + c.line) << c.name;
    EXPECT_EQ(dir.read("k.lis"), c.line) << c.name;  // closed and kept
    EXPECT_TRUE(dir.exists("marker")) << c.name;
  }
  g_marker.clear();
}

TEST_F(Report, EndOfRunRunsTheCleanupFirstAndOnce) {
  auto o = testkit::endOf([] {
    diag::setExitCleanup(&markCleanup);
    diag::runExitCleanup();  // a cleanup already run is not run again
    diag::endOfRun();
  });
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err, "cleanup\nQuarto-I-ENDNOENWR,  End of execution with 0 error and 0 warning\n");
}

TEST_F(Report, UnopenableListFileIsFatal) {
  testkit::ScratchDir dir;
  const std::string bad = dir.file("no/such/dir/x.lis");
  auto o = testkit::endOf([&] { diag::openListFile(bad); });
  EXPECT_EQ(o.status, 7);
  EXPECT_EQ(o.err, "Quarto-F-FICERROPN,  File " + bad + " opening problem\n");
}

TEST_F(Report, ListFileCloseFailureIsFatal) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  auto o = testkit::endOf([] {
    diag::openListFile("/dev/full");  // opens, but no byte can be flushed to it
    diag::writeToListFile("lost");
    diag::closeListFile();
  });
  EXPECT_EQ(o.status, 7);
  EXPECT_EQ(o.err, "FATAL ERROR on 'fclose',\n Please contact your administrative.\n");
}

}  // namespace
