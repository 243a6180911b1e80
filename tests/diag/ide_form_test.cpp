// The IDE form of the message lines: "file:line: severity: text [CODE]" on
// the standard error stream, the classic line in the list file, and the
// statement's first line in place of the reader's position.
#include <gtest/gtest.h>

#include <string>

#include "diag/catalogue.h"
#include "diag/report.h"
#include "tests/testkit/child.h"
#include "tests/testkit/process.h"

namespace {

using namespace zenta;

class IdeForm : public ::testing::Test {
 protected:
  void SetUp() override {
    diag::resetForTests();
    diag::setExitCleanup(nullptr);
    diag::clearCatalogueForTests();
    diag::registerCatalogues();
    diag::setMessageForm(diag::MessageForm::Ide);
  }
  void TearDown() override {
    diag::resetForTests();
    diag::setExitCleanup(nullptr);
  }
};

struct IdeCase {
  const char* file;
  int line;
  int severity;
  const char* code;
  const char* argument;
  const char* expected;
};

TEST_F(IdeForm, LinesBySeverityPositionAndText) {
  const IdeCase cases[] = {
      {"t.ptu", 4, diag::Error, "INVMOTCLE", "FOO", "t.ptu:4: error: Unknown keyword FOO [INVMOTCLE]\n"},
      {"t.ptu", 9, diag::Warning, "MOTCLEOBS", "SYSTEM", "t.ptu:9: warning: Obsolete keyword SYSTEM [MOTCLEOBS]\n"},
      {"t.ptu", 2, diag::Information, "MATCHLINE", "7", "t.ptu:2: note: Matches line 7 [MATCHLINE]\n"},
      {"t.ptu", 3, diag::Fatal, "IMPOUVFIC", "x.h", "t.ptu:3: fatal error: Cannot open the file x.h [IMPOUVFIC]\n"},
      {"a.h", 3, diag::Severe, "EXTNUMIMP", "lost", "a.h:3: fatal error: Impossible to extract line number [EXTNUMIMP]\n"},
      // No line read yet: the file alone. No file: the program's name.
      {"t.ptu", -1, diag::Error, "INVMOTCLE", "FOO", "t.ptu: error: Unknown keyword FOO [INVMOTCLE]\n"},
      {"", 0, diag::Warning, "OPTOBSOLET", "LEARN",
       "zentaprepro: warning: The option LEARN is obsolete : ignored [OPTOBSOLET]\n"},
      {"", 12, diag::Warning, "BADRUNTIM", "",
       "zentaprepro: warning: Target Package not found, check ZNTTGT environment variable. [BADRUNTIM]\n"},
      // Blanks the catalogue text leaves at either end are dropped.
      {"t.ptu", 5, diag::Warning, "INCLINCON", "f", "t.ptu:5: warning: The file f does not exist [INCLINCON]\n"},
      // A code missing from the catalogue shows its argument.
      {"m.ptu", 4, diag::Error, "NOSUCHCOD", "arg", "m.ptu:4: error: arg [NOSUCHCOD]\n"},
      // The reserved code has no code of its own to show.
      {"x.ptu", 9, diag::Error, "FEADA95", "raw text", "x.ptu:9: error: raw text\n"},
  };
  for (const IdeCase& c : cases) {
    diag::setCurrentFile(c.file);
    diag::setCurrentLine(c.line);
    EXPECT_EQ(diag::formatIdeLine(c.severity, c.code, c.argument), c.expected) << c.code;
  }
}

TEST_F(IdeForm, TheErrorStreamHasTheIdeLineAndTheListFileTheClassicOne) {
  testkit::ScratchDir dir;
  diag::openListFile(dir.file("r.lis"));
  diag::setCurrentFile("r.ptu");
  diag::setCurrentLine(6);
  testing::internal::CaptureStderr();
  diag::error("INVMOTCLE", "FOO");
  const std::string err = testing::internal::GetCapturedStderr();
  diag::closeListFile();
  EXPECT_EQ(err, "r.ptu:6: error: Unknown keyword FOO [INVMOTCLE]\n");
  EXPECT_EQ(dir.read("r.lis"), "Quarto-E-INVMOTCLE,  [r.ptu:6] Unknown keyword FOO\n");
}

TEST_F(IdeForm, TheClassicFormIsTheDefault) {
  diag::resetForTests();
  diag::setCurrentFile("r.ptu");
  diag::setCurrentLine(6);
  testing::internal::CaptureStderr();
  diag::error("INVMOTCLE", "FOO");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Quarto-E-INVMOTCLE,  [r.ptu:6] Unknown keyword FOO\n");
}

// A statement on lines 10 and 11 (a continuation), handled once the reader
// stands on line 12, in s.ptu.
struct StatementCase {
  const char* file;
  int line;
  const char* position;  // the position the IDE line shows
};

TEST_F(IdeForm, MessagesOfAStatementShowItsFirstLine) {
  const StatementCase cases[] = {
      {"s.ptu", 12, "s.ptu:10:"},  // the reader's position when handled
      {"s.ptu", 10, "s.ptu:10:"},  // the statement's own lines
      {"s.ptu", 11, "s.ptu:10:"},
      {"s.ptu", 13, "s.ptu:13:"},  // other lines of the script stay
      {"s.ptu", 9, "s.ptu:9:"},
      {"h.h", 12, "h.h:12:"},      // a header keeps its own position
      {"", 0, "zentaprepro:"},
  };
  for (const StatementCase& c : cases) {
    diag::beginStatement("s.ptu", 10);
    diag::extendStatement(11);
    diag::statementHandledAt("s.ptu", 12);
    diag::setCurrentFile(c.file);
    diag::setCurrentLine(c.line);
    const std::string line = diag::formatIdeLine(diag::Error, "INVMOTCLE", "X");
    EXPECT_EQ(line.substr(0, line.find(' ')), c.position) << c.file << ":" << c.line;
    // The classic prefix keeps the reader's position.
    if (*c.file) {
      EXPECT_NE(diag::formatLine(diag::Error, "INVMOTCLE", "X").find(":" + std::to_string(c.line) + "]"),
                std::string::npos);
    }
    diag::endStatement();
  }
  // Once the statement is handled, its lines are the reader's again.
  diag::setCurrentFile("s.ptu");
  diag::setCurrentLine(12);
  EXPECT_EQ(diag::formatIdeLine(diag::Error, "INVMOTCLE", "X"), "s.ptu:12: error: Unknown keyword X [INVMOTCLE]\n");
}

TEST_F(IdeForm, AStatementEndingAnIncludedFileKeepsItsOwnFile) {
  // The last statement of an included file is handled when the reader is
  // back in the including file.
  diag::beginStatement("inc.ptu", 7);
  diag::statementHandledAt("main.ptu", 4);
  diag::setCurrentFile("main.ptu");
  diag::setCurrentLine(4);
  EXPECT_EQ(diag::formatIdeLine(diag::Warning, "MOTCLEOBS", "SYSTEM"),
            "inc.ptu:7: warning: Obsolete keyword SYSTEM [MOTCLEOBS]\n");
  diag::endStatement();
}

TEST_F(IdeForm, SummaryAndListFileAnnouncementAreNotes) {
  testkit::ScratchDir dir;
  const std::string list = dir.file("n.lis");
  auto o = testkit::endOf([&] {
    diag::setMessageForm(diag::MessageForm::Ide);
    diag::setDisplayLimits(1, 120);
    diag::openListFile(list);
    diag::setCurrentFile("n.ptu");
    diag::setCurrentLine(1);
    diag::error("INVMOTCLE", "a");
    diag::setCurrentLine(2);
    diag::error("INVMOTCLE", "b");  // over the display limit: list file only
    diag::endOfRun();
  });
  EXPECT_EQ(o.status, 5);
  EXPECT_EQ(o.err,
            "n.ptu:1: error: Unknown keyword a [INVMOTCLE]\n"
            "zentaprepro: note: more detailed Errors/Warnings can be found in file " +
                list + " [MORERWALI]\n"
                       "zentaprepro: note: End of execution with 2 error(s) [ENDERRNWR]\n");
  // The list file is the classic record of the run.
  const std::string listed = dir.read("n.lis");
  EXPECT_NE(listed.find("Quarto-E-INVMOTCLE,  [n.ptu:2] Unknown keyword b\n"), std::string::npos);
  EXPECT_NE(listed.find("Quarto-I-ENDERRNWR,  End of execution with 2 error(s)\n"), std::string::npos);
}

}  // namespace
