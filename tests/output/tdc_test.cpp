// The test-description writer: counter, suspension and the opening lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/files.h"
#include "output/tdc.h"
#include "tests/testkit/process.h"

namespace zenta::output::tdc {
namespace {

class TdcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetOutputsForTests();
    resetDescription();
    openOutput(Description, scratch.file("t.tdc"), nullptr, nullptr);
  }
  void TearDown() override { resetOutputsForTests(); }
  std::string text() {
    closeOutput(Description, false);
    return scratch.read("t.tdc");
  }
  testkit::ScratchDir scratch;
};

TEST_F(TdcTest, NumberedLinesCountFromOne) {
  EXPECT_EQ(current(), 1);
  EXPECT_EQ(writeNumbered('O', "SERV"), 1);
  EXPECT_EQ(writeNumbered('T', "TEST 1"), 2);
  EXPECT_EQ(nextNumber(), 3);
  EXPECT_EQ(current(), 4);
  writePosition("E14", 0, 12);
  EXPECT_EQ(text(), "O1 SERV\nT2 TEST 1\nE14 0 12\n");
}

TEST_F(TdcTest, SuspendedPassCountsAlikeThenRestores) {
  writeNumbered('V', "first pass");
  beginSuspension();
  EXPECT_TRUE(suspended());
  EXPECT_EQ(writeNumbered('V', "second pass"), 2);
  EXPECT_EQ(writeNumbered('V', "second pass"), 3);
  writeLine("E12 0 4");
  beginSuspension();  // already suspended: the first saved value stays
  endSuspension();
  EXPECT_FALSE(suspended());
  EXPECT_EQ(current(), 2);
  endSuspension();  // not suspended: nothing changes
  EXPECT_EQ(current(), 2);
  writeNumbered('V', "after");
  EXPECT_EQ(text(), "V1 first pass\nV2 after\n");
}

TEST_F(TdcTest, NothingIsWrittenWhenTheFileIsClosed) {
  closeOutput(Description, false);
  writeLine("lost");
  EXPECT_EQ(writeNumbered('X', "lost"), 1);
  EXPECT_EQ(scratch.read("t.tdc"), "");
}

TEST_F(TdcTest, OpeningLinesInTheirExactFormats) {
  OpeningInfo info;
  info.scriptFullPath = "/work/s/demo.ptu";
  info.commandText = "zentaprepro demo.ptu out/demo /LANGUAGE=C++";
  info.runDate = "Sat Dec  5 15:07:17 2026";
  info.target = "indefinie";
  info.scriptBase = "demo";
  info.sourceBase = "module042";
  writeOpeningLines(info);
  EXPECT_EQ(text(),
            "E11 0 /work/s/demo.ptu\n"
            "C0 zentaprepro demo.ptu out/demo /LANGUAGE=C++\n"
            "H0 Sat Dec  5 15:07:17 2026\n"
            "E7 indefinie\n"
            "E8 8.3.0.1.342.020\n"
            "E9 C++ 5\n"
            "E6  demo\n"
            "E4  module042\n"
            "E5  042\n");
}

TEST(SourceCode, LastThreeCharactersBehindTwoDigits) {
  const struct {
    const char* base;
    const char* code;
  } table[] = {
      {"mod12a", "12a"}, {"abc123", "123"}, {"x12", ""},   {"a1b2", ""},
      {"ab1c2", ""},     {"ab12", ""},     {"ab123", "123"},    {"", ""},      {"1234", "234"},
  };
  for (const auto& row : table) EXPECT_EQ(sourceCode(row.base), row.code) << row.base;
}

}  // namespace
}  // namespace zenta::output::tdc
