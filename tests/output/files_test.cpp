// Output files: creation with header and tool log, close and delete, write
// failures, work files with their sections, merging and the exit cleanup.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "diag/report.h"
#include "output/files.h"
#include "tests/testkit/child.h"
#include "tests/testkit/process.h"

namespace zenta::output {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetOutputsForTests();
    diag::resetForTests();
    OutputContext c;
    c.commandText = "zentaprepro t.ptu out/t";
    c.runDate = "Sat Dec  5 15:07:17 2026";
    c.toolLog = scratch.file("tools.log");
    setOutputContext(c);
  }
  void TearDown() override {
    closeAndDeleteWorkFiles();
    resetOutputsForTests();
  }
  std::string header(const std::string& start, const std::string& path) const {
    std::string text;
    for (const std::string& line : headerCommentLines({2, outputContext().commandText, path, outputContext().runDate}))
      text += start + line + "\n";
    return text;
  }
  testkit::ScratchDir scratch;
};

TEST_F(FilesTest, OutputsGetTheirHeaderAndAreLogged) {
  const std::string cc = scratch.file("t.cc"), tdc = scratch.file("t.tdc"), tsf = scratch.file("t.tsf");
  openOutput(Harness, cc, "//", "");
  openOutput(Description, tdc, "", "");
  openOutput(Tsf, tsf, "US ", "");
  writeLine(Harness, "int x;");
  writeLine(Description, "E8 8.3.0.1.342.020");
  EXPECT_TRUE(isOpen(Harness));
  EXPECT_EQ(pathOf(Harness), cc);
  closeOutput(Harness, false);
  closeOutput(Description, false);
  closeOutput(Tsf, false);
  EXPECT_FALSE(isOpen(Harness));
  EXPECT_EQ(scratch.read("t.cc"), header("//", cc) + "int x;\n");
  EXPECT_EQ(scratch.read("t.tdc"), header("", tdc) + "E8 8.3.0.1.342.020\n");
  EXPECT_EQ(scratch.read("t.tsf").substr(0, 3 + 72 + 1), "US " + std::string(72, '*') + "\n");
  EXPECT_EQ(scratch.read("tools.log"), "CCP " + cc + "\nTDC " + tdc + "\nTSF " + tsf + "\n");
}

TEST_F(FilesTest, ClosingWithDeleteRemovesTheFile) {
  openOutput(Intermediate, scratch.file("t.icc"), "//", "");
  closeOutput(Intermediate, true);
  EXPECT_FALSE(scratch.exists("t.icc"));
  closeOutput(Intermediate, true);  // not open: nothing happens
  writeLine(Intermediate, "ignored");
}

TEST_F(FilesTest, CurrentOutputAndSplitLines) {
  openOutput(Harness, scratch.file("h.cc"), nullptr, nullptr);
  openOutput(AlternateHarness, scratch.file("ne_h.cc"), nullptr, nullptr);
  EXPECT_EQ(currentOutput(), Harness);
  writeCurrent("one");
  selectOutput(0);
  writeCurrentSplit(std::string(50, 'a') + " " + std::string(50, 'b'));
  selectOutput(1);
  writeCurrent("two");
  selectOutput(7);  // not an output index: unchanged
  EXPECT_EQ(currentOutput(), Harness);
  closeOutput(Harness, false);
  closeOutput(AlternateHarness, false);
  EXPECT_EQ(scratch.read("h.cc"), "one\ntwo\n");
  EXPECT_EQ(scratch.read("ne_h.cc"), std::string(50, 'a') + "\n " + std::string(50, 'b') + "\n");
}

TEST_F(FilesTest, WorkFileSectionsMergeInOrder) {
  makeWorkFileNames(scratch.file("atx_1.tmp"));
  EXPECT_EQ(workFileName(0), scratch.file("atx_1.tmpa.tmp"));
  EXPECT_EQ(workFileName(10), scratch.file("atx_1.tmpk.tmp"));
  openOutput(Harness, scratch.file("h.cc"), nullptr, nullptr);
  for (int section : {2, 5, 7, -1}) EXPECT_FALSE(openWorkFiles(section)) << section;
  EXPECT_FALSE(mergeWorkFiles(2));

  ASSERT_TRUE(openWorkFiles(0));  // test body and epilogue; an empty line to the harness
  EXPECT_TRUE(scratch.exists("atx_1.tmpa.tmp"));
  EXPECT_TRUE(scratch.exists("atx_1.tmpb.tmp"));
  setCurrentOutput(WorkA);
  ASSERT_TRUE(openWorkFiles(1));  // element body and epilogue; an empty line to the test body
  writeLine(WorkC, "element body");
  writeLine(WorkD, "element check");
  writeLine(WorkB, "test epilogue");
  ASSERT_TRUE(mergeWorkFiles(1));
  EXPECT_FALSE(scratch.exists("atx_1.tmpc.tmp"));
  EXPECT_FALSE(scratch.exists("atx_1.tmpd.tmp"));
  writeLine(WorkA, "after element");
  setCurrentOutput(Harness);
  ASSERT_TRUE(mergeWorkFiles(0));
  EXPECT_TRUE(mergeWorkFiles(3));  // e.tmp not open: nothing
  closeOutput(Harness, false);
  EXPECT_EQ(scratch.read("h.cc"), "\n\nelement body\nelement check\nafter element\ntest epilogue\n");
  // Work files are not logged: ".tmp" is no logged ending.
  EXPECT_EQ(scratch.read("tools.log"), "CCP " + scratch.file("h.cc") + "\n");
}

TEST_F(FilesTest, WorkFilesOfSectionsThreeFourSix) {
  makeWorkFileNames(scratch.file("w"));
  openOutput(Harness, scratch.file("h.cc"), nullptr, nullptr);
  ASSERT_TRUE(openWorkFiles(3));
  ASSERT_TRUE(openWorkFiles(4));
  ASSERT_TRUE(openWorkFiles(6));
  writeLine(WorkE, "init");
  writeLine(WorkF, "term");
  writeLine(WorkH, "h");
  ASSERT_TRUE(mergeWorkFiles(4));
  ASSERT_TRUE(mergeWorkFiles(3));
  ASSERT_TRUE(mergeWorkFiles(6));
  closeOutput(Harness, false);
  EXPECT_EQ(scratch.read("h.cc"), "term\ninit\nh\n");  // no empty lines for these sections
}

TEST_F(FilesTest, CloseAndDeleteWorkFilesLeavesNothing) {
  makeWorkFileNames(scratch.file("w"));
  for (int section : {0, 1, 3, 4, 6}) ASSERT_TRUE(openWorkFiles(section));
  writeLine(WorkA, "x");
  setCurrentOutput(WorkC);
  closeAndDeleteWorkFiles();
  closeAndDeleteWorkFiles();
  EXPECT_EQ(currentOutput(), Harness);
  EXPECT_FALSE(scratch.exists("tools.log"));  // nothing was logged
  EXPECT_TRUE(fs::is_empty(scratch.path()));
}

TEST_F(FilesTest, FatalAndSevereMessagesDeleteTheWorkFiles) {
  const struct {
    bool severe;
    int status;
  } table[] = {{false, 7}, {true, 9}};
  for (const auto& row : table) {
    const testkit::Ending e = testkit::endOf([&] {
      makeWorkFileNames(scratch.file("w"));
      for (int section : {0, 1, 3, 4, 6}) openWorkFiles(section);
      if (std::FILE* probe = std::fopen(scratch.file("wh.tmp").c_str(), "r")) {
        std::fclose(probe);
      } else {
        _exit(101);  // the work files were not created
      }
      if (row.severe) diag::severe("ERRINTFCT", "test");
      diag::fatal("IMPOUVFIC", "somewhere");
    });
    EXPECT_EQ(e.status, row.status) << e.err;
    for (const char* letter : {"a", "b", "c", "d", "e", "f", "h"})
      EXPECT_FALSE(scratch.exists(std::string("w") + letter + ".tmp")) << letter;
  }
}

TEST_F(FilesTest, FileFailuresAreFatal) {
  const std::string missingDir = scratch.file("no/such/dir/t.cc");
  struct Case {
    const char* name;
    std::function<void()> body;
    const char* code;
    std::string argument;
  } cases[] = {
      {"unopenable output", [&] { openOutput(Harness, missingDir, "//", ""); }, "IMPOUVFIC", missingDir},
      {"write error", [&] {
         openOutput(Harness, "/dev/full", "//", "");
         for (int i = 0; i < 10000; ++i) writeLine(Harness, "int x;");
         closeOutput(Harness, false);
       }, "IMPECRFIC", "/dev/full"},
      {"unopenable tool log", [&] {
         OutputContext c = outputContext();
         c.toolLog = scratch.file("no/dir/tools.log");
         setOutputContext(c);
         openOutput(Harness, scratch.file("t.cc"), "//", "");
       }, "IMPOUVFIC", scratch.file("no/dir/tools.log")},
      {"delete failure", [&] {
         openOutput(Segment, scratch.file("t.seg"), nullptr, nullptr);
         fs::remove(scratch.file("t.seg"));
         closeOutput(Segment, true);
       }, "IMPFERFIC", scratch.file("t.seg")},
  };
  for (const Case& c : cases) {
    const testkit::Ending e = testkit::endOf(c.body);
    EXPECT_EQ(e.status, 7) << c.name;
    EXPECT_NE(e.err.find(std::string("-") + c.code + ","), std::string::npos) << c.name << ": " << e.err;
    EXPECT_NE(e.err.find(c.argument), std::string::npos) << c.name << ": " << e.err;
  }
}

}  // namespace
}  // namespace zenta::output
