// The source-file stack: frames, include numbers, the list of opened paths,
// the message position and the refused file operations.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "diag/report.h"
#include "output/files.h"
#include "output/sources.h"
#include "output/tdc.h"
#include "tests/testkit/child.h"
#include "tests/testkit/process.h"

namespace zenta::output {
namespace {

namespace fs = std::filesystem;

class SourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSourcesForTests();
    resetOutputsForTests();
    tdc::resetDescription();
    diag::resetForTests();
    ::setenv("TEMP", scratch.path().c_str(), 1);
    scratch.write("s.ptu", "HEADER a, b, c\nBEGIN\r\n#include \"a.h\"\n");
    scratch.write("a.h", "int a;\n");
    scratch.write("b.h", "int b;\n");
    scratch.write("src.cc", "#include \"a.h\"\n");
    openOutput(Description, scratch.file("t.tdc"), nullptr, nullptr);
  }
  void TearDown() override {
    resetSourcesForTests();
    closeAndDeleteWorkFiles();
    resetOutputsForTests();
    ::unsetenv("TEMP");
  }
  // What the open description file holds so far.
  std::string description() {
    std::fflush(streamOf(Description));
    return testkit::ScratchDir::slurp("/proc/self/fd/" + std::to_string(fileno(streamOf(Description))));
  }
  testkit::ScratchDir scratch;
};

TEST_F(SourcesTest, ScriptFrameStartsAtLineMinusOne) {
  const std::string script = scratch.file("s.ptu");
  ASSERT_TRUE(openSource(script, F_PTU));
  ASSERT_NE(currentSource(), nullptr);
  EXPECT_EQ(currentSource()->line, -1);
  EXPECT_EQ(currentSource()->includeNumber, 0);
  EXPECT_EQ(diag::currentFile(), script);
  EXPECT_EQ(diag::currentLine(), -1);
  EXPECT_EQ(description(), "");  // the script's own E11 line is the chain's
  // Opening the first file names the work files in TEMP.
  EXPECT_EQ(workFileName(0).rfind(scratch.path().string() + "/at", 0), 0u) << workFileName(0);
  EXPECT_EQ(workFileName(0).substr(workFileName(0).size() - 9), ".tmpa.tmp");
}

TEST_F(SourcesTest, ReadingAdvancesTheLineAndStripsLineEnds) {
  ASSERT_TRUE(openSource(scratch.file("s.ptu"), F_PTU));
  std::string line;
  ASSERT_TRUE(readSourceLine(line));
  EXPECT_EQ(line, "HEADER a, b, c");
  EXPECT_EQ(diag::currentLine(), 1);
  ASSERT_TRUE(readSourceLine(line));
  EXPECT_EQ(line, "BEGIN");
  ASSERT_TRUE(readSourceLine(line));
  EXPECT_EQ(currentSource()->line, 3);
  EXPECT_FALSE(readSourceLine(line));
  rewindCurrentSource();
  ASSERT_TRUE(readSourceLine(line));
  EXPECT_EQ(line, "HEADER a, b, c");
  EXPECT_EQ(diag::currentLine(), 1);
}

TEST_F(SourcesTest, LongLinesComeInPieces) {
  scratch.write("long.ptu", std::string(30000, 'x') + "\nend\n");
  ASSERT_TRUE(openSource(scratch.file("long.ptu"), F_PTU));
  std::string line;
  ASSERT_TRUE(readSourceLine(line));
  EXPECT_EQ(line.size(), kMaxSourceLine - 1);
  ASSERT_TRUE(readSourceLine(line));
  EXPECT_EQ(line.size(), 30000 - (kMaxSourceLine - 1));
  ASSERT_TRUE(readSourceLine(line));
  EXPECT_EQ(line, "end");
}

TEST_F(SourcesTest, NestedIncludesAreNumberedInOpeningOrder) {
  ASSERT_TRUE(openSource(scratch.file("s.ptu"), F_PTU));
  ASSERT_TRUE(openSource(scratch.file("a.h")));
  EXPECT_EQ(currentSource()->includeNumber, 1);
  ASSERT_TRUE(openSource(scratch.file("b.h")));
  EXPECT_EQ(currentSource()->includeNumber, 2);
  EXPECT_EQ(sourceDepth(), 3);
  EXPECT_EQ(description(), "E11 1 " + scratch.file("a.h") + "\nE11 2 " + scratch.file("b.h") + "\n");
  std::string line;
  ASSERT_TRUE(readSourceLine(line));
  closeCurrentSource();
  closeCurrentSource();
  // The message position goes back to the script, at its own line.
  EXPECT_EQ(diag::currentFile(), scratch.file("s.ptu"));
  EXPECT_EQ(diag::currentLine(), -1);
  EXPECT_EQ(openedPaths().size(), 3u);
}

TEST_F(SourcesTest, AFileIsNeverOpenedTwice) {
  const std::string script = scratch.file("s.ptu");
  ASSERT_TRUE(openSource(script, F_PTU));
  ASSERT_TRUE(openSource(scratch.file("a.h")));
  closeCurrentSource();
  const int warnings = diag::warningCount();
  // The same file under another spelling, and the script including itself.
  EXPECT_FALSE(openSource(scratch.path().string() + "/./a.h"));
  EXPECT_FALSE(openSource(script));
  EXPECT_EQ(diag::warningCount(), warnings + 2);
  EXPECT_EQ(sourceDepth(), 1);
  EXPECT_EQ(description(), "E11 1 " + scratch.file("a.h") + "\n");
  // Closing the script takes its path off the list.
  closeCurrentSource();
  EXPECT_EQ(currentSource(), nullptr);
  EXPECT_EQ(openedPaths(), std::vector<std::string>{scratch.file("a.h")});
}

TEST_F(SourcesTest, SeparateSourceIsParkedUntilTheEnd) {
  ASSERT_TRUE(openSource(scratch.file("s.ptu"), F_PTU));
  ASSERT_TRUE(fileOperation(A_OUVRIR, F_SOURCE, scratch.file("src.cc")));
  EXPECT_EQ(currentSource()->kind, F_SOURCE);
  EXPECT_EQ(diag::currentFile(), scratch.file("src.cc"));
  EXPECT_TRUE(fileOperation(A_RESETER, F_SOURCE, scratch.file("src.cc")));
  parkSeparateSource();
  EXPECT_TRUE(separateSourceOpen());
  EXPECT_EQ(currentSource()->kind, F_PTU);
  EXPECT_EQ(diag::currentFile(), scratch.file("s.ptu"));
  EXPECT_TRUE(fileOperation(A_FERMER_SAUV, F_SOURCE, scratch.file("src.cc")));
  EXPECT_FALSE(separateSourceOpen());
  EXPECT_EQ(sourceDepth(), 1);
  EXPECT_TRUE(scratch.exists("src.cc"));
}

TEST_F(SourcesTest, FullPathIsAbsoluteOrEmpty) {
  const fs::path old = fs::current_path();
  fs::create_directories(scratch.path() / "sub");
  fs::current_path(scratch.path());
  EXPECT_EQ(fullPath("a.h"), scratch.file("a.h"));
  EXPECT_EQ(fullPath("./sub/../a.h"), scratch.file("a.h"));
  EXPECT_EQ(fullPath("missing.h"), "");
  fs::current_path(old);
}

TEST_F(SourcesTest, RefusedOperationsAreSevere) {
  const std::string path = scratch.file("a.h");
  const struct {
    FileAction action;
    FileKind kind;
    const char* text;
  } table[] = {
      {A_OUVRIR_ECR, F_INC, "MAJ_FIC / F_INC : type enum fic inconnu, ou operation interdite "},
      {A_FERMER_DEL, F_SOURCE, "MAJ_FIC / F_SOURCE : type enum fic inconnu, ou operation interdite "},
      {A_OUVRIR, F_PTU, "MAJ_FIC / F_PTU : type enum fic inconnu, ou operation interdite "},
      {A_OUVRIR, static_cast<FileKind>(7), "MAJ_FIC / 7 : type enum fic inconnu, ou operation interdite "},
      {static_cast<FileAction>(9), F_INC, "MAJ_FIC / F_INC : action demandee inconnue"},
  };
  for (const auto& row : table) {
    const testkit::Ending e = testkit::endOf([&] { fileOperation(row.action, row.kind, path); });
    EXPECT_EQ(e.status, 9) << row.text;
    EXPECT_NE(e.err.find("-ERRINTFCT,"), std::string::npos) << e.err;
    EXPECT_NE(e.err.find(row.text), std::string::npos) << e.err;
  }
}

TEST_F(SourcesTest, UnopenableSourcesAreFatal) {
  fs::create_directories(scratch.path() / "dir.h");
  for (const std::string& path : {scratch.file("missing.ptu"), scratch.file("dir.h")}) {
    const testkit::Ending e = testkit::endOf([&] { openSource(path, F_PTU); });
    EXPECT_EQ(e.status, 7) << path;
    EXPECT_NE(e.err.find("-IMPOUVFIC,"), std::string::npos) << e.err;
    EXPECT_NE(e.err.find(path), std::string::npos) << e.err;
  }
}

}  // namespace
}  // namespace zenta::output
