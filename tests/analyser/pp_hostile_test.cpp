// Hostile input: every case ends with a message or a result, never with a
// crash, a stack overflow or a hang (random input is the fuzz target's).
#include <gtest/gtest.h>


#include "pp_support.h"
#include "tests/testkit/process.h"

using namespace pptest;

namespace {

int count(const std::string& text, const std::string& word) {
  int n = 0;
  for (std::size_t i = text.find(word); i != std::string::npos; i = text.find(word, i + 1)) ++n;
  return n;
}

int countCode(const std::string& code) {
  int n = 0;
  for (const auto& m : messages()) n += m.code == code;
  return n;
}

TEST(PreprocessorHostile, SelfIncludingHeaderStopsAtTheFrameLimit) {
  testkit::ScratchDir d;
  d.write("self.h", "before\n#include \"self.h\"\nafter\n");
  fresh({}, {d.path().string()});
  std::string out = run("#include \"self.h\"\nend\n");
  ASSERT_EQ(countCode("NBRECURSI"), 1);
  EXPECT_EQ(find("NBRECURSI")->severity, 1);
  EXPECT_EQ(find("NBRECURSI")->file, d.file("self.h"));
  // 2000 frames: the text frame and 1999 levels of the header.
  EXPECT_EQ(count(out, "before"), 1999);
  EXPECT_EQ(count(out, "after"), 1999);  // scanning went on after the refusal
  EXPECT_NE(out.find("end"), std::string::npos);
}

TEST(PreprocessorHostile, MacroExpandingToTenMegabytes) {
  std::string text = "#define A0 xxxxxxxxx\n";
  for (int i = 1; i <= 6; ++i) {
    text += "#define A" + std::to_string(i);
    for (int k = 0; k < 10; ++k) text += " A" + std::to_string(i - 1);
    text += "\n";
  }
  text += "A6\n";
  fresh();
  std::string out = run(text);
  EXPECT_TRUE(messages().empty());
  EXPECT_GE(out.size(), 10u * 1000 * 1000);
  EXPECT_EQ(count(out, "xxxxxxxxx"), 1000000);
}

// Nesting past the limits: one refusal each, and the scan goes on.
TEST(PreprocessorHostile, DeepNestingHitsTheLimit) {
  std::string calls, chain;
  for (int i = 0; i < 5000; ++i) calls += "f(";
  calls += "1" + std::string(5000, ')');
  for (int i = 0; i < 3000; ++i) chain += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + "\n";
  const std::pair<std::string, bool> cases[] = {  // text, refused once only
      {"#define f(x) x\n" + calls, true}, {chain + "M0", true},
      {"#pragma zenta pragma loop #pragma loop\n#pragma loop", false}};
  for (const auto& [text, once] : cases) {
    fresh();
    EXPECT_NE(run(text + "\nlast\n").find("last"), std::string::npos);
    EXPECT_GE(countCode("NBRECURSI"), 1);
    if (once) {
      EXPECT_EQ(countCode("NBRECURSI"), 1);
    }
  }
}

// A construct left open at the end of the text: its message, or none.
TEST(PreprocessorHostile, UnfinishedConstructsAtTheEnd) {
  const std::pair<const char*, const char*> cases[] = {
      {"#define f(x", "UNTPARDEF"}, {"#define f(x) x\nf(", "ERRINLINE"}, {"/*", "UNTERCOMM"}, {"\"", "UNTERSTRI"},
      {"'", "UNTERSTRI"}, {"#if", "EMPTYEXPR"}, {"#if (", "EXPERRONE"}, {"#include <", "ERINCLUDE"},
      {"#define s(x) #x\ns(\"", "ERRINLINE"}, {"#pragma zenta", "PRAGMAINC"}, {"#line", "DIESELINE"},
      {"a\\", ""}, {"?" "?/", ""}, {"%:%:", ""}, {"#elif", "NOCONDITI"}};
  for (const auto& [text, code] : cases) {
    fresh();
    EXPECT_EQ(run(text).rfind("#line 1 \"t.c\"\n", 0), 0u) << text;
    EXPECT_EQ(codes(), code) << text;
  }
}

}  // namespace
