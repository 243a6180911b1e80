// Hostile input: every case ends with a message or a result, never with a
// crash, a stack overflow or a hang.
#include <gtest/gtest.h>

#include <random>

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

TEST(PreprocessorHostile, UnfinishedConstructsAtTheEnd) {
  const char* texts[] = {"#define f(x", "#define f(x) x\nf(", "/*", "\"", "'", "#if", "#if (", "#include <",
                         "#define s(x) #x\ns(\"", "#pragma zenta", "#line", "a\\", "?" "?/", "%:%:", "#elif"};
  for (const char* t : texts) {
    fresh();
    std::string out = run(t);
    EXPECT_EQ(out.rfind("#line 1 \"t.c\"\n", 0), 0u) << t;
  }
}

// Random bytes, and random soups of directives and their pieces.
TEST(PreprocessorHostile, RandomInput) {
  std::mt19937 rng(20261205);
  for (int round = 0; round < 20; ++round) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += static_cast<char>(rng() & 0xff);
    fresh();
    EXPECT_FALSE(run(text).empty());
  }
  const char* pieces[] = {"#define ", "#undef ", "#if ", "#ifdef ", "#else", "#elif ", "#endif", "#include ",
                          "\n", "(", ")", "[", "]", ",", "##", "#", "A", "B", "f", "g", " ", "...",
                          "__VA_ARGS__", "\"", "'", "/*", "*/", "//", "\\\n", "1", "0", "defined", "?", ":",
                          "#pragma zenta ", "stop", "start", "pragma ", "<:", "?" "?="};
  for (int round = 0; round < 300; ++round) {
    std::string text = "#define f(x) x x\n#define g[y] f(y)\n#define A B\n#define B A f\n";
    for (int i = 0; i < 400; ++i) text += pieces[rng() % std::size(pieces)];
    fresh();
    EXPECT_FALSE(run(text).empty());
  }
}

}  // namespace
