#include "support/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/memory.h"
#include "support/report_hook.h"

namespace zs = zenta::support;

namespace {

TEST(Hash, WorkedValuesAndRange) {
  std::string allBytes;
  for (int b = 0; b < 4 * 256; ++b) allBytes += static_cast<char>(b);
  // A negative byte lowers the running value: "\xff" is 128 + 727 - 1, then
  // plus the prime at (854 mod 256) = 86, which is 449.
  const std::pair<std::string, int> cases[] = {
      {"A", 1803}, {"", 128}, {"AB", 2537}, {"zentaprepro", 17631}, {std::string(1000, 'x'), 18394},
      {allBytes, 19228}, {"\xff", 854 + 449}};
  for (const auto& [text, hash] : cases) EXPECT_EQ(zs::hashText(text), hash) << text.substr(0, 20);
  EXPECT_NE(zs::hashText("AB"), zs::hashText("BA"));
  std::string text;
  for (int i = 0; i < 5000; ++i) {
    text += static_cast<char>((i * 37) % 256);  // includes negative signed bytes
    const int h = zs::hashText(text);
    ASSERT_GE(h, 0);
    ASSERT_LE(h, 19996);
  }
}

class BuildTest : public testing::Test {
 protected:
  std::vector<char> buffer = std::vector<char>(zs::kBuildLimit + 1, 'x');
  char* dest() { return buffer.data(); }
};

TEST_F(BuildTest, ConcatenatesUpToTheFirstNull) {
  zs::buildString(dest(), {"ab", "", "cd", nullptr, "never"});
  EXPECT_STREQ(dest(), "abcd");
  zs::appendString(dest(), {"ef", "g"});
  EXPECT_STREQ(dest(), "abcdefg");
  zs::buildString(dest(), {nullptr, "x"});
  EXPECT_STREQ(dest(), "");
  zs::buildString(dest(), {});
  EXPECT_STREQ(dest(), "");
}

TEST_F(BuildTest, ThreeLongTextsBuildExactlyTheLimit) {
  std::string part(30000, 'a');
  zs::buildString(dest(), {part.c_str(), part.c_str(), part.c_str()});
  EXPECT_EQ(std::strlen(dest()), 61440u);
  zs::appendString(dest(), {"more"});
  EXPECT_EQ(std::strlen(dest()), 61440u);
  zs::buildString(dest(), {part.c_str()});
  zs::appendString(dest(), {part.c_str(), part.c_str()});
  EXPECT_EQ(std::strlen(dest()), 61440u);
  EXPECT_EQ(zs::buildBounded({part, part, part}).size(), 61440u);
  EXPECT_EQ(zs::buildBounded({"a", "", "b"}), "ab");
}

TEST(BuildNew, AllocatesTheExactConcatenation) {
  std::string part(30000, 'b');
  char* s = zs::buildNewString({part.c_str(), part.c_str(), part.c_str(), nullptr});
  EXPECT_EQ(std::strlen(s), 90000u);
  zs::release(s);
  s = zs::buildNewString({});
  EXPECT_STREQ(s, "");
  zs::release(s);
}

using BuildDeathTest = BuildTest;

TEST_F(BuildDeathTest, NullDestinationAndSelfCopyAreSevere) {
  EXPECT_EXIT(zs::buildString(nullptr, {"a"}), testing::ExitedWithCode(9), "ERRINTFCT.*xstrcpy \\(2\\)");
  EXPECT_EXIT(zs::appendString(nullptr, {"a"}), testing::ExitedWithCode(9), "ERRINTFCT.*xstrcat \\(2\\)");
  zs::buildString(dest(), {"abc"});
  EXPECT_EXIT(zs::buildString(dest(), {"a", dest()}), testing::ExitedWithCode(9), "ERRINTFCT.*xstrcpy\n");
  EXPECT_EXIT(zs::appendString(dest(), {dest()}), testing::ExitedWithCode(9), "ERRINTFCT.*xstrcat\n");
}

struct CutCase {
  const char* name;
  std::string text;
  std::string leading;
  std::string trailing;
  int width;
  int language;
  bool ok;
  std::string piece;
  std::string rest;
};

class CutTest : public testing::TestWithParam<CutCase> {};

TEST_P(CutTest, SplitsAsExpected) {
  const CutCase& c = GetParam();
  std::string piece = "stale", rest = "stale";
  EXPECT_EQ(zs::cut(c.text, c.leading, c.trailing, c.width, c.language, piece, rest), c.ok);
  EXPECT_EQ(piece, c.piece);
  EXPECT_EQ(rest, c.rest);
}

const int Ada = zs::kLangAda, C = zs::kLangC, Cpp = zs::kLangCpp, Other = 2;

INSTANTIATE_TEST_SUITE_P(
    Table, CutTest,
    testing::Values(
        CutCase{"FitsWhole", "abc def", " ", "", 10, C, true, "abc def", ""},
        CutCase{"FitsExactly", "abcd", " ", "", 4, C, true, "abcd", ""},
        CutCase{"EmptyText", "", " ", "", 0, C, true, "", ""},
        CutCase{"TrailingEndsPiece", "aaa,bbb,ccc", "", ",", 6, C, true, "aaa,", "bbb,ccc"},
        CutCase{"LeadingBeginsRest", "aaa+bbb+ccc", "+", "", 6, C, true, "aaa", "+bbb+ccc"},
        CutCase{"LastCandidateBelowWidth", "a b c d e f", " ", "", 6, C, true, "a b c", " d e f"},
        CutCase{"LeadingWinsWhenInBothSets", "ab cd ef", " ", " ", 4, C, true, "ab", " cd ef"},
        CutCase{"FirstBeyondWidthLeading", "abcdefgh ij", " ", "", 4, C, true, "abcdefgh", " ij"},
        CutCase{"FirstBeyondWidthTrailing", "abcdefgh,ij,k", "", ",", 4, C, true, "abcdefgh,", "ij,k"},
        CutCase{"SeparatorAtWidthIsBeyond", "abcd efgh", "", " ", 4, C, true, "abcd ", "efgh"},
        CutCase{"PositionZeroIsNoCandidate", " abc defgh", " ", "", 4, C, true, " abc", " defgh"},
        CutCase{"OnlySeparatorAtZero", " abcdefgh", " ", "", 4, C, false, "", " abcdefgh"},
        CutCase{"NoSeparator", "abcdefgh", " ", ",", 4, Cpp, false, "", "abcdefgh"},
        CutCase{"NothingLeftAfterPiece", "abcdefg,", "", ",", 4, C, false, "", "abcdefg,"},
        CutCase{"SeparatorsInsideQuotes", "f(\"a,b,c\",x)", "", ",", 6, C, true, "f(\"a,b,c\",", "x)"},
        CutCase{"SingleQuotesInC", "f(',',x)", "", ",", 3, C, true, "f(',',", "x)"},
        CutCase{"BackslashInQuotesCpp", "x=\"a\\\",b\",y", "", ",", 5, Cpp, true, "x=\"a\\\",b\",", "y"},
        CutCase{"BackslashInQuotesC", "x=\"a\\\",b\",y", "", ",", 5, C, true, "x=\"a\\\",b\",", "y"},
        CutCase{"BackslashOrdinaryElsewhere", "x=\"a\\\",b\",y", "", ",", 5, Other, true, "x=\"a\\\",",
                "b\",y"},
        CutCase{"UnclosedQuoteHidesAll", "a'b,c,d", "", ",", 3, C, false, "", "a'b,c,d"},
        CutCase{"AdaLiteralSplit", "Put(\"abcdefghij\");", " ", ",", 8, Ada, true, "Put(\"abc\"",
                "&\"defghij\");"},
        CutCase{"AdaCandidateWithinWidthWins", "X := \"abcdefghij\";", " ", "", 8, Ada, true,
                "X :=", " \"abcdefghij\";"},
        CutCase{"AdaNoSplitOutsideQuotes", "abcdefghij k", " ", "", 8, Ada, true, "abcdefghij", " k"},
        CutCase{"CNeverSplitsLiterals", "Put(\"abcdefghij\");", " ", ",", 8, C, false, "",
                "Put(\"abcdefghij\");"},
        CutCase{"AdaAttributeQuoteIsOrdinary", "X'Length,Y", "", ",", 4, Ada, true, "X'Length,", "Y"},
        CutCase{"CAttributeQuoteOpensLiteral", "X'Length,Y", "", ",", 4, C, false, "", "X'Length,Y"},
        CutCase{"AdaCharacterLiteral", "F(',',x)", "", ",", 3, Ada, true, "F(',',", "x)"}),
    [](const testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

std::vector<std::string> g_reports;
void recordReport(int severity, const char* code, const std::string& argument) {
  g_reports.push_back(std::to_string(severity) + code + ":" + argument);
}

TEST(Environment, ValueOrDefaultWithWarning) {
  ::setenv("ZENTA_SUPPORT_TEST_SET", "value", 1);
  ::setenv("ZENTA_SUPPORT_TEST_EMPTY", "", 1);
  ::unsetenv("ZENTA_SUPPORT_TEST_UNSET");
  g_reports.clear();
  zs::setReportHook(&recordReport);
  EXPECT_EQ(zs::environmentValue("ZENTA_SUPPORT_TEST_SET", "dflt"), "value");
  EXPECT_EQ(zs::environmentValue("ZENTA_SUPPORT_TEST_EMPTY", "dflt"), "");
  EXPECT_TRUE(g_reports.empty());
  EXPECT_EQ(zs::environmentValue("ZENTA_SUPPORT_TEST_UNSET", "dflt"), "dflt");
  char buffer[4];
  EXPECT_TRUE(zs::environmentValue("ZENTA_SUPPORT_TEST_SET", "d", buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "val");  // cut to the buffer
  EXPECT_FALSE(zs::environmentValue("ZENTA_SUPPORT_TEST_UNSET", "d", buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "d");
  zs::setReportHook(nullptr);
  ASSERT_EQ(g_reports.size(), 2u);
  EXPECT_EQ(g_reports[0], "3NOLOGIDEF:ZENTA_SUPPORT_TEST_UNSET");
  EXPECT_EQ(g_reports[1], "3NOLOGIDEF:ZENTA_SUPPORT_TEST_UNSET");
  EXPECT_EQ(zs::environment("ZENTA_SUPPORT_TEST_UNSET"), std::nullopt);
  EXPECT_EQ(zs::environment("ZENTA_SUPPORT_TEST_SET"), "value");
}

}  // namespace
