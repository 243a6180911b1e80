// Message lines in both forms (classic and IDE), counting and hiding, the
// list file, and the ways a run ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

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
  static void at(const std::string& file, int line) {
    diag::setCurrentFile(file);
    diag::setCurrentLine(line);
  }
  // Standard error while `body` runs.
  static std::string errOf(const std::function<void()>& body) {
    testing::internal::CaptureStderr();
    body();
    return testing::internal::GetCapturedStderr();
  }
};

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct LineCase {
  const char* file;
  int line;
  int severity;
  const char* code;
  const char* argument;
  const char* classic;  // nullptr: not checked in this form
  const char* ide;
};

TEST_F(Report, MessageLinesInBothForms) {
  const LineCase cases[] = {
      {"", 0, diag::Information, "STARTEXEC", "Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020",
       "Quarto-I-STARTEXEC,  Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020\n", nullptr},
      // Before any line is read the line is -1: shown with a file in the
      // classic form, the file alone in the IDE form.
      {"t.ptu", -1, diag::Error, "INVMOTCLE", "FOO", "Quarto-E-INVMOTCLE,  [t.ptu:-1] Unknown keyword FOO\n",
       "t.ptu: error: Unknown keyword FOO [INVMOTCLE]\n"},
      {"f", -1, diag::Fatal, "IMPOUVFIC", "x.h", "Quarto-F-IMPOUVFIC,  [f:-1] Cannot open the file x.h\n", nullptr},
      {"t.ptu", 3, diag::Fatal, "IMPOUVFIC", "x.h", nullptr, "t.ptu:3: fatal error: Cannot open the file x.h [IMPOUVFIC]\n"},
      {"", 12, diag::Warning, "MOTCLEOBS", "SYSTEM", "Quarto-W-MOTCLEOBS,  [12] Obsolete keyword SYSTEM\n", nullptr},
      {"t.ptu", 9, diag::Warning, "MOTCLEOBS", "SYSTEM", nullptr, "t.ptu:9: warning: Obsolete keyword SYSTEM [MOTCLEOBS]\n"},
      {"t.ptu", 4, diag::Error, "INVMOTCLE", "FOO", nullptr, "t.ptu:4: error: Unknown keyword FOO [INVMOTCLE]\n"},
      {"t.ptu", 2, diag::Information, "MATCHLINE", "7", nullptr, "t.ptu:2: note: Matches line 7 [MATCHLINE]\n"},
      {"", 0, diag::Error, "DIVBYZERO", "", "Quarto-E-DIVBYZERO,  Division by zero\n", nullptr},
      // A text without "%2" never shows the argument.
      {"a.h", 3, diag::Severe, "EXTNUMIMP", "lost", "Quarto-S-EXTNUMIMP,  [a.h:3] Impossible to extract line number\n",
       "a.h:3: fatal error: Impossible to extract line number [EXTNUMIMP]\n"},
      // A text whose only marker is "%1" shows the prefix there.
      {"", 7, diag::Warning, "TEMINSINC", "lost", "Quarto-W-TEMINSINC,  Incorrect template instantiation: [7] \n", nullptr},
      // A text with no marker at all; without a file the IDE form shows the program.
      {"", 7, diag::Warning, "BADRUNTIM", "lost",
       "Quarto-W-BADRUNTIM,  Target Package not found, check ZNTTGT environment variable.\n", nullptr},
      {"", 12, diag::Warning, "BADRUNTIM", "", nullptr,
       "zentaprepro: warning: Target Package not found, check ZNTTGT environment variable. [BADRUNTIM]\n"},
      {"", 0, diag::Warning, "OPTOBSOLET", "LEARN", nullptr,
       "zentaprepro: warning: The option LEARN is obsolete : ignored [OPTOBSOLET]\n"},
      // Blanks the catalogue text leaves at either end are dropped in the IDE form.
      {"t.ptu", 5, diag::Warning, "INCLINCON", "f", nullptr, "t.ptu:5: warning: The file f does not exist [INCLINCON]\n"},
      // A code missing from the catalogue: prefix, one blank, argument.
      {"m.ptu", 4, diag::Error, "NOSUCHCOD", "arg", "Quarto-E-NOSUCHCOD,  [m.ptu:4]  arg\n", "m.ptu:4: error: arg [NOSUCHCOD]\n"},
      {"", 0, diag::Information, "NOSUCHCOD", "arg", "Quarto-I-NOSUCHCOD,   arg\n", nullptr},
      // Markers brought in by the prefix or the argument are left alone.
      {"p%2.h", 1, diag::Error, "INVMOTCLE", "%1%2", "Quarto-E-INVMOTCLE,  [p%2.h:1] Unknown keyword %1%2\n", nullptr},
      // The reserved code: letter, prefix and argument, no newline; no code in the IDE form.
      {"x.ptu", 9, diag::Error, "FEADA95", "raw text", "Quarto-E-[x.ptu:9] raw text", "x.ptu:9: error: raw text\n"},
      {"", 0, diag::Information, "FEADA95", "raw", "Quarto-I-raw", nullptr},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " at " + c.file + ":" + std::to_string(c.line));
    at(c.file, c.line);
    if (c.classic) {
      EXPECT_EQ(diag::formatLine(c.severity, c.code, c.argument), c.classic);
    }
    if (c.ide) {
      EXPECT_EQ(diag::formatIdeLine(c.severity, c.code, c.argument), c.ide);
    }
  }
  diag::setCurrentFile(std::string(1500, 'a'));
  EXPECT_EQ(diag::currentFile().size(), 999u);  // kept in a thousand-byte buffer
}

TEST_F(Report, IdeFormOnTheErrorStreamTheClassicLineInTheListFile) {
  testkit::ScratchDir dir;
  diag::openListFile(dir.file("r.lis"));
  diag::setMessageForm(diag::MessageForm::Ide);
  at("r.ptu", 6);
  EXPECT_EQ(errOf([] { diag::error("INVMOTCLE", "FOO"); }), "r.ptu:6: error: Unknown keyword FOO [INVMOTCLE]\n");
  diag::closeListFile();
  EXPECT_EQ(dir.read("r.lis"), "Quarto-E-INVMOTCLE,  [r.ptu:6] Unknown keyword FOO\n");
}

// A statement on lines 10 and 11 (a continuation), handled once the reader
// stands on line 12, in s.ptu: its messages show its first line.
TEST_F(Report, IdeMessagesOfAStatementShowItsFirstLine) {
  const std::pair<std::pair<const char*, int>, const char*> cases[] = {
      {{"s.ptu", 12}, "s.ptu:10:"},  // the reader's position when handled
      {{"s.ptu", 10}, "s.ptu:10:"},  {{"s.ptu", 11}, "s.ptu:10:"},  // the statement's own lines
      {{"s.ptu", 13}, "s.ptu:13:"},  {{"s.ptu", 9}, "s.ptu:9:"},    // other lines of the script stay
      {{"h.h", 12}, "h.h:12:"},      {{"", 0}, "zentaprepro:"},     // a header keeps its own position
  };
  for (const auto& [where, position] : cases) {
    SCOPED_TRACE(std::string(where.first) + ":" + std::to_string(where.second));
    diag::beginStatement("s.ptu", 10);
    diag::extendStatement(11);
    diag::statementHandledAt("s.ptu", 12);
    at(where.first, where.second);
    const std::string line = diag::formatIdeLine(diag::Error, "INVMOTCLE", "X");
    EXPECT_EQ(line.substr(0, line.find(' ')), position);
    if (*where.first) {  // the classic prefix keeps the reader's position
      EXPECT_TRUE(has(diag::formatLine(diag::Error, "INVMOTCLE", "X"), ":" + std::to_string(where.second) + "]"));
    }
    diag::endStatement();
  }
  // Once the statement is handled, its lines are the reader's again.
  at("s.ptu", 12);
  EXPECT_EQ(diag::formatIdeLine(diag::Error, "INVMOTCLE", "X"), "s.ptu:12: error: Unknown keyword X [INVMOTCLE]\n");
  // The last statement of an included file is handled when the reader is
  // back in the including file: it keeps its own file.
  diag::beginStatement("inc.ptu", 7);
  diag::statementHandledAt("main.ptu", 4);
  at("main.ptu", 4);
  EXPECT_EQ(diag::formatIdeLine(diag::Warning, "MOTCLEOBS", "SYSTEM"),
            "inc.ptu:7: warning: Obsolete keyword SYSTEM [MOTCLEOBS]\n");
  diag::endStatement();
}

TEST_F(Report, RepeatedWarningAtTheSamePlaceIsCountedTwiceShownOnce) {
  const std::string err = errOf([] {
    at("t.ptu", 5);
    diag::warning("MOTCLEOBS", "A");
    diag::warning("MOTCLEOBS", "B");  // repeat: same code, file and line
    diag::setCurrentLine(6);
    diag::warning("MOTCLEOBS", "C");  // another line: shown
    diag::information("MATCHLINE", "x");
    diag::warning("MOTCLEOBS", "D");  // the last message was another code: shown
  });
  EXPECT_EQ(diag::warningCount(), 4);
  EXPECT_FALSE(has(err, " B\n"));
  for (const char* shown : {" A\n", " C\n", " D\n"}) EXPECT_TRUE(has(err, shown)) << shown;
  EXPECT_TRUE(diag::hiddenMessages());
}

TEST_F(Report, InformationIsNeverCountedNorHidden) {
  diag::setDisplayLimits(1, 1);
  const std::string err = errOf([] {
    for (int i = 0; i < 3; ++i) diag::information("MATCHLINE", "m");  // repeats, yet shown
  });
  EXPECT_EQ(diag::errorCount() + diag::warningCount(), 0);
  EXPECT_EQ(err, "Quarto-I-MATCHLINE,  Matches line m\nQuarto-I-MATCHLINE,  Matches line m\n"
                 "Quarto-I-MATCHLINE,  Matches line m\n");
  EXPECT_FALSE(diag::hiddenMessages());
}

TEST_F(Report, DisplayLimitsIgnoreValuesNotAboveZero) {
  diag::setDisplayLimits(0, -4);
  EXPECT_EQ(diag::errorDisplayLimit(), 60);
  EXPECT_EQ(diag::warningDisplayLimit(), 120);
  diag::setDisplayLimits(2, 1);
  const std::string err = errOf([] {
    for (int i = 1; i <= 3; ++i) {
      diag::setCurrentLine(i);
      diag::error("INVMOTCLE", "E" + std::to_string(i));
      diag::warning("MOTCLEOBS", "W" + std::to_string(i));
    }
  });
  EXPECT_TRUE(has(err, "E2\n"));
  EXPECT_FALSE(has(err, "E3\n"));
  EXPECT_TRUE(has(err, "W1\n"));
  EXPECT_FALSE(has(err, "W2\n"));
  EXPECT_EQ(diag::errorCount(), 3);
  EXPECT_EQ(diag::warningCount(), 3);
}

TEST_F(Report, ReportAtMakesItsFileAndLineCurrent) {
  EXPECT_EQ(errOf([] { diag::reportAt(3, "REDEFSYMB", "x", "inc.h", 42); }),
            "Quarto-W-REDEFSYMB,  [inc.h:42] Symbol x redefined\n");
  EXPECT_EQ(diag::currentFile(), "inc.h");
  EXPECT_EQ(diag::currentLine(), 42);
  EXPECT_EQ(diag::warningCount(), 1);
}

TEST_F(Report, ListFileWriters) {
  testkit::ScratchDir dir;
  diag::openListFile(dir.file("w.lis"));
  diag::writeToListFileWrapped(std::string(170, 'x') + "\nshort");  // cut at 80 columns and at newlines
  diag::writeToListFile("plain");
  diag::closeListFile();
  EXPECT_EQ(dir.read("w.lis"),
            std::string(80, 'x') + "\n" + std::string(80, 'x') + "\n" + std::string(10, 'x') + "\nshort\nplain");
  // Without a list file nothing is written, and messages still reach the error stream.
  diag::openListFile("");
  EXPECT_FALSE(diag::listFileOpen());
  diag::writeToListFile("lost");
  EXPECT_EQ(errOf([] { diag::warning("MOTCLEOBS", "x"); }), "Quarto-W-MOTCLEOBS,  Obsolete keyword x\n");
}

// The ways out, each run in a child process.

struct SummaryCase {
  int errors;
  int warnings;
  int status;
  std::string tail;  // "@" stands for the list file's path
};

TEST_F(Report, SummariesAndTheirExitStatus) {
  const SummaryCase cases[] = {
      {2, 1, 5, "Quarto-I-ENDERRWAR,  End of execution with 2 error(s) and 1 warning(s)\n"},
      {2, 0, 5, "Quarto-I-ENDERRNWR,  End of execution with 2 error(s)\n"},
      {0, 1, 3, "Quarto-I-ENDNOEWAR,  End of execution with 1 warning(s)\n"},
      {0, 0, 0, "Quarto-I-ENDNOENWR,  End of execution with 0 error and 0 warning\n"},
      // Hidden messages announce the list file before the summary.
      {61, 0, 5,
       "Quarto-I-MORERWALI,  more detailed Errors/Warnings can be found in file @\n"
       "Quarto-I-ENDERRNWR,  End of execution with 61 error(s)\n"},
  };
  for (const SummaryCase& c : cases) {
    SCOPED_TRACE(c.tail);
    testkit::ScratchDir dir;
    const std::string list = dir.file("s.lis");
    std::string tail = c.tail;
    if (const auto p = tail.find('@'); p != std::string::npos) tail.replace(p, 1, list);
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
    EXPECT_EQ(o.status, c.status);
    ASSERT_GE(o.err.size(), tail.size());
    EXPECT_EQ(o.err.substr(o.err.size() - tail.size()), tail);
    EXPECT_EQ(has(o.err, "MORERWALI"), c.errors > 60);
    // A clean run leaves no list file; any other keeps it, summary last.
    if (c.status == 0) {
      EXPECT_FALSE(dir.exists("s.lis"));
    } else if (c.errors > 60) {  // the 61st error only in the list file
      const std::string kept = dir.read("s.lis");
      EXPECT_TRUE(has(o.err, "[60] Unknown keyword e\n"));
      EXPECT_FALSE(has(o.err, "[61]"));
      EXPECT_TRUE(has(kept, "[61] Unknown keyword e\n"));
      EXPECT_EQ(kept.substr(kept.size() - tail.size()), tail);
    } else {
      EXPECT_EQ(dir.read("s.lis"), o.err);
    }
  }
}

TEST_F(Report, IdeSummaryAndListFileAnnouncementAreNotes) {
  testkit::ScratchDir dir;
  const std::string list = dir.file("n.lis");
  auto o = testkit::endOf([&] {
    diag::setMessageForm(diag::MessageForm::Ide);
    diag::setDisplayLimits(1, 120);
    diag::openListFile(list);
    at("n.ptu", 1);
    diag::error("INVMOTCLE", "a");
    diag::setCurrentLine(2);
    diag::error("INVMOTCLE", "b");  // over the display limit: list file only
    diag::endOfRun();
  });
  EXPECT_EQ(o.status, 5);
  EXPECT_EQ(o.err, "n.ptu:1: error: Unknown keyword a [INVMOTCLE]\n"
                   "zentaprepro: note: more detailed Errors/Warnings can be found in file " + list +
                       " [MORERWALI]\nzentaprepro: note: End of execution with 2 error(s) [ENDERRNWR]\n");
  // The list file is the classic record of the run.
  const std::string listed = dir.read("n.lis");
  EXPECT_TRUE(has(listed, "Quarto-E-INVMOTCLE,  [n.ptu:2] Unknown keyword b\n"));
  EXPECT_TRUE(has(listed, "Quarto-I-ENDERRNWR,  End of execution with 2 error(s)\n"));
}

int g_cleanups = 0;
void markCleanup() {
  ++g_cleanups;
  std::fputs("cleanup\n", stderr);
}

struct EndCase {
  const char* name;
  std::function<void(const std::string& scratch)> body;
  int status;
  std::string err;   // "@" stands for the scratch folder
  std::string list = "";  // the list file k.lis kept, when not empty
};

// Severe and fatal messages run the cleanup, write the line, close and keep
// the list file, and exit.
void severeOrFatal(const std::string& dir, bool severe) {
  diag::setExitCleanup(&markCleanup);
  diag::openListFile(dir + "/k.lis");
  diag::setCurrentFile("k.ptu");
  diag::setCurrentLine(2);
  if (severe) diag::severe("ERRINTFCT", "f");
  diag::fatal("ERRINTFCT", "f");
}

TEST_F(Report, Endings) {
  const EndCase cases[] = {
      {"severe", [](const std::string& d) { severeOrFatal(d, true); }, 9,
       "cleanup\nQuarto-S-ERRINTFCT,  [k.ptu:2] Internal error in the function f\n",
       "Quarto-S-ERRINTFCT,  [k.ptu:2] Internal error in the function f\n"},
      {"fatal", [](const std::string& d) { severeOrFatal(d, false); }, 7,
       "cleanup\nQuarto-F-ERRINTFCT,  [k.ptu:2] Internal error in the function f\n",
       "Quarto-F-ERRINTFCT,  [k.ptu:2] Internal error in the function f\n"},
      {"end of run runs the cleanup first and once",
       [](const std::string&) {
         diag::setExitCleanup(&markCleanup);
         diag::runExitCleanup();  // a cleanup already run is not run again
         diag::endOfRun();
       },
       0, "cleanup\nQuarto-I-ENDNOENWR,  End of execution with 0 error and 0 warning\n"},
      {"unopenable list file", [](const std::string& d) { diag::openListFile(d + "/no/such/x.lis"); }, 7,
       "Quarto-F-FICERROPN,  File @/no/such/x.lis opening problem\n"},
      {"list file close failure",
       [](const std::string&) {
         diag::openListFile("/dev/full");  // opens, but no byte can be flushed to it
         diag::writeToListFile("lost");
         diag::closeListFile();
       },
       7, "FATAL ERROR on 'fclose',\n Please contact your administrative.\n"},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    testkit::ScratchDir dir;
    std::string err = c.err;
    if (const auto p = err.find('@'); p != std::string::npos) err.replace(p, 1, dir.path().string());
    auto o = testkit::endOf([&] { c.body(dir.path().string()); });
    EXPECT_EQ(o.status, c.status);
    EXPECT_EQ(o.err, err);
    if (!c.list.empty()) {
      EXPECT_EQ(dir.read("k.lis"), c.list);
    }
  }
}

}  // namespace
