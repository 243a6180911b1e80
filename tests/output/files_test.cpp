// Output files: creation with header and tool log, close and delete, write
// failures, work files with their sections, merging and the exit cleanup.
#include <gtest/gtest.h>

#include <algorithm>
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

std::size_t entries(const fs::path& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
  return n;
}

// An output reaches its path only when it is closed to be kept: until then
// the path holds what it held before; closed to be removed, nothing is left.
TEST_F(FilesTest, OutputReachesItsPathOnlyWhenKept) {
  const struct {
    const char* earlier;  // null: no file before
    bool remove;
  } table[] = {{nullptr, false}, {nullptr, true}, {"old\n", false}, {"old\n", true}};
  for (const auto& row : table) {
    testkit::ScratchDir dir;
    OutputContext c = outputContext();
    c.toolLog = dir.file("tools.log");
    setOutputContext(c);
    if (row.earlier) dir.write("t.icc", row.earlier);
    const std::string path = dir.file("t.icc");
    openOutput(Intermediate, path, nullptr, nullptr);
    writeLine(Intermediate, "new");
    std::fflush(streamOf(Intermediate));
    EXPECT_EQ(dir.exists("t.icc"), row.earlier != nullptr);
    if (row.earlier) {
      EXPECT_EQ(dir.read("t.icc"), row.earlier);
    }
    closeOutput(Intermediate, row.remove);
    closeOutput(Intermediate, row.remove);  // not open: nothing happens
    writeLine(Intermediate, "ignored");
    const bool present = !row.remove;
    EXPECT_EQ(dir.exists("t.icc"), present);
    if (present) {
      EXPECT_EQ(dir.read("t.icc"), "new\n");
    }
    // No temporary file is left; the tool log names only what was kept.
    EXPECT_EQ(entries(dir.path()), (present ? 1u : 0u) + 1u);
    EXPECT_EQ(dir.read("tools.log"), row.remove ? "" : "CPP " + path + "\n");
  }
}

TEST_F(FilesTest, ReplacedFileKeepsItsLinkAndPermissionsAndDevicesAreWrittenInPlace) {
  fs::create_directories(scratch.path() / "real");
  scratch.write("real/t.cc", "old\n");
  fs::permissions(scratch.file("real/t.cc"), fs::perms(0640));
  fs::create_symlink(scratch.file("real/t.cc"), scratch.file("t.cc"));
  openOutput(Harness, scratch.file("t.cc"), nullptr, nullptr);
  openOutput(Segment, "/dev/null", nullptr, nullptr);
  writeLine(Harness, "new");
  writeLine(Segment, "gone");
  closeOutput(Harness, false);
  closeOutput(Segment, true);
  EXPECT_TRUE(fs::is_symlink(scratch.file("t.cc")));
  EXPECT_EQ(scratch.read("real/t.cc"), "new\n");
  EXPECT_EQ(fs::status(scratch.file("real/t.cc")).permissions(), fs::perms(0640));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(entries(scratch.path() / "real"), 1u);
}

// At the end of the chain every output is closed before any is put in
// place: a failure while closing leaves none of them.
TEST_F(FilesTest, FailureWhileClosingPutsNoOutputInPlace) {
  const testkit::Ending e = testkit::endOf([&] {
    installExitCleanup();
    openOutput(Description, scratch.file("t.tdc"), nullptr, nullptr);
    openOutput(Harness, "/dev/full", nullptr, nullptr);
    writeLine(Description, "E8");
    writeLine(Harness, "int x;");
    closeOutputs({{Description, false}, {Harness, false}});
  });
  EXPECT_EQ(e.status, 7) << e.err;
  EXPECT_NE(e.err.find("-IMPECRFIC,"), std::string::npos) << e.err;
  EXPECT_NE(e.err.find("/dev/full"), std::string::npos) << e.err;
  EXPECT_EQ(entries(scratch.path()), 1u);
  EXPECT_EQ(scratch.read("tools.log"), "");
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
  writeLine(WorkC, "element closed: dropped");
  writeLine(WorkA, "after element");
  setCurrentOutput(Harness);
  ASSERT_TRUE(mergeWorkFiles(0));
  EXPECT_TRUE(mergeWorkFiles(3));  // e.tmp not open: nothing
  closeOutput(Harness, false);
  EXPECT_EQ(scratch.read("h.cc"), "\n\nelement body\nelement check\nafter element\ntest epilogue\n");
  // Work files are not logged: ".tmp" is no logged ending.
  EXPECT_EQ(scratch.read("tools.log"), "CCP " + scratch.file("h.cc") + "\n");
}

// Sections 3, 4 and 6 merge without empty lines; closing and deleting the
// work files (twice is harmless) leaves nothing and the harness current.
TEST_F(FilesTest, WorkFilesOfSectionsThreeFourSixAndTheirDeletion) {
  makeWorkFileNames(scratch.file("w"));
  openOutput(Harness, scratch.file("h.cc"), nullptr, nullptr);
  for (int section : {0, 1, 3, 4, 6}) ASSERT_TRUE(openWorkFiles(section));
  writeLine(WorkE, "init");
  writeLine(WorkF, "term");
  writeLine(WorkH, "h");
  for (int section : {4, 3, 6}) ASSERT_TRUE(mergeWorkFiles(section));
  writeLine(WorkA, "x");
  setCurrentOutput(WorkC);
  closeAndDeleteWorkFiles();
  closeAndDeleteWorkFiles();
  EXPECT_EQ(currentOutput(), Harness);
  closeOutput(Harness, false);
  EXPECT_EQ(scratch.read("h.cc"), "\n\nterm\ninit\nh\n");  // the empty lines are those of sections 0 and 1
  EXPECT_EQ(entries(scratch.path()), 2u);  // the harness and the tool log
}

// Lines held in memory or moved to the file beyond a size make the same
// harness; a section opened again starts empty.
TEST_F(FilesTest, WorkFilesGiveTheSameLinesWhereverTheyAreHeld) {
  std::string expected;
  for (std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{50}}) {
    testkit::ScratchDir dir;
    setWorkFileMemoryLimitForTests(limit);
    makeWorkFileNames(dir.file("w"));
    openOutput(Harness, dir.file("h.cc"), nullptr, nullptr);
    for (int test = 1; test <= 3; ++test) {
      ASSERT_TRUE(openWorkFiles(0));
      setCurrentOutput(WorkA);
      for (int element = 1; element <= 2; ++element) {
        ASSERT_TRUE(openWorkFiles(1));
        for (int i = 0; i < 20; ++i) writeLine(WorkC, "body " + std::to_string(test) + std::to_string(element));
        writeLine(WorkD, "check " + std::to_string(test) + std::to_string(element));
        ASSERT_TRUE(mergeWorkFiles(1));
      }
      writeLine(WorkB, "epilogue " + std::to_string(test));
      setCurrentOutput(Harness);
      ASSERT_TRUE(mergeWorkFiles(0));
    }
    // The files stay in TEMP while the run goes on, and go with it.
    for (const char* letter : {"a", "b", "c", "d"}) EXPECT_TRUE(dir.exists(std::string("w") + letter + ".tmp"));
    closeAndDeleteWorkFiles();
    closeOutput(Harness, false);
    EXPECT_EQ(entries(dir.path()), 1u);
    const std::string harness = dir.read("h.cc");
    EXPECT_EQ(std::count(harness.begin(), harness.end(), '\n'), 3 * (1 + 2 * (1 + 20 + 1) + 1)) << limit;
    if (expected.empty()) expected = harness;
    EXPECT_EQ(harness, expected) << "limit " << limit;
  }
  setWorkFileMemoryLimitForTests(0);
}

// Every way out removes the work files and the outputs not in place; the
// files of an earlier run stay as they were.
TEST_F(FilesTest, FatalAndSevereMessagesRemoveWorkFilesAndUnfinishedOutputs) {
  const struct {
    bool severe;
    int status;
  } table[] = {{false, 7}, {true, 9}};
  OutputContext c = outputContext();
  c.toolLog.clear();
  setOutputContext(c);
  for (const auto& row : table) {
    scratch.write("t.cc", "earlier run\n");
    const testkit::Ending e = testkit::endOf([&] {
      makeWorkFileNames(scratch.file("w"));
      for (int section : {0, 1, 3, 4, 6}) openWorkFiles(section);
      openOutput(Harness, scratch.file("t.cc"), "//", "");
      openOutput(Description, scratch.file("t.tdc"), "", "");
      // The earlier harness, seven work files, two temporary outputs.
      if (entries(scratch.path()) != 10) _exit(101);
      if (row.severe) diag::severe("ERRINTFCT", "test");
      diag::fatal("IMPOUVFIC", "somewhere");
    });
    EXPECT_EQ(e.status, row.status) << e.err;
    EXPECT_EQ(entries(scratch.path()), 1u);
    EXPECT_EQ(scratch.read("t.cc"), "earlier run\n");
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
         fs::remove(fs::read_symlink("/proc/self/fd/" + std::to_string(fileno(streamOf(Segment)))));
         closeOutput(Segment, true);
       }, "IMPFERFIC", scratch.file("t.seg")},
      {"output path is a folder", [&] { openOutput(Harness, scratch.path().string(), "//", ""); }, "IMPOUVFIC",
       scratch.path().string()},
      {"output path ends with a slash", [&] { openOutput(Harness, scratch.file("sub/"), "//", ""); }, "IMPOUVFIC",
       scratch.file("sub/")},
      {"work files in a missing folder", [&] {
         makeWorkFileNames(scratch.file("no/such/w"));
         openWorkFiles(0);
       }, "IMPOUVFIC", scratch.file("no/such/wa.tmp")},
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
