// Header comments, tool-log lines and the 80-column split of generated lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/files.h"

namespace zenta::output {
namespace {

const std::string kStars(72, '*');
const std::string kEmpty = "*" + std::string(70, ' ') + "*";
// 150 characters, cut at separators into three framed lines.
const std::string kLongCommand =
    "zentaprepro scripts/demo.ptu out/demo \"res\" /LANGUAGE=C++ /TARGET=INDEFINIE /FAST "
    "/INCL=include/first,include/second /SYSCOMP=NT /STD_DEFINE=d/std.def";

// English (2) and both French languages (0, 1), byte for byte.
TEST(HeaderComment, LongCommandInEachLanguage) {
  ASSERT_EQ(kLongCommand.size(), 150u);
  const std::vector<std::string> english = {
      kStars,
      "* TOOL : Unit Test Compiler VERSION 8.3.0.1.342.020                    *",
      kEmpty,
      "* COMMAND : zentaprepro scripts/demo.ptu out/demo \"res\" /LANGUAGE=C++  *",
      "*   /TARGET=INDEFINIE /FAST /INCL=include/first,include/second         *",
      "*   /SYSCOMP=NT /STD_DEFINE=d/std.def                                  *",
      kEmpty,
      "* FILE : out/demo.cc                                                   *",
      kEmpty,
      "* DATE : Sat Dec  5 15:07:17 2026                                      *",
      kStars,
  };
  // French differs in its words, so the command text is cut elsewhere.
  std::vector<std::string> french = english;
  french[1] = "* OUTIL : Unit Test Compiler VERSION 8.3.0.1.342.020                   *";
  french[3] = "* COMMANDE : zentaprepro scripts/demo.ptu out/demo \"res\"               *";
  french[4] = "*   /LANGUAGE=C++ /TARGET=INDEFINIE /FAST /INCL=include/first,         *";
  french[5] = "*   include/second /SYSCOMP=NT /STD_DEFINE=d/std.def                   *";
  french[7] = "* FICHIER : out/demo.cc                                                *";
  for (int language : {0, 1, 2})
    EXPECT_EQ(headerCommentLines({language, kLongCommand, "out/demo.cc", "Sat Dec  5 15:07:17 2026"}),
              language == 2 ? english : french)
        << language;
}

TEST(HeaderComment, EveryLineIsSeventyTwoWideAndUncuttableTextStaysWhole) {
  const std::string longPath = "out/" + std::string(90, 'a') + ".cc";  // no separator after the first
  const std::vector<std::string> lines = headerCommentLines({2, "zentaprepro a.ptu b", longPath, "d"});
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[5], "* FILE : out                                                           *");
  EXPECT_EQ(lines[6], "*   /" + std::string(90, 'a') + ".cc *");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i != 6) {
      EXPECT_EQ(lines[i].size(), 72u) << i;
    }
  }
}

TEST(ToolLog, KindsByEndingWithLetterCase) {
  const struct {
    const char* path;
    const char* line;
  } table[] = {
      {"a/x.C", "CPP a/x.C\n"},       {"x.a", "ADA x.a\n"},         {"x.ada", "ADA x.ada\n"},
      {"x.adb", "ADA x.adb\n"},       {"x.ads", "ADA x.ads\n"},     {"x.c", "C   x.c\n"},
      {"x.ic", "C   x.ic\n"},         {"x.h", "H   x.h\n"},         {"out/t.cc", "CCP out/t.cc\n"},
      {"x.iC", "CCP x.iC\n"},         {"x.ro", "RO  x.ro\n"},       {"x.cpp", "CPP x.cpp\n"},
      {"out/t.icc", "CPP out/t.icc\n"}, {"x.icpp", "CPP x.icpp\n"}, {"out/t.tdc", "TDC out/t.tdc\n"},
      {"x.rod", "ROD x.rod\n"},       {"x.ddt", "DDT x.ddt\n"},     {"x.mdt", "MDT x.mdt\n"},
      {"x.tsf", "TSF x.tsf\n"},       {"x.xrd", "XRD x.xrd\n"},     {"x.CC", ""},
      {"x.TDC", ""},                  {"/tmp/ata_b.tmpa.tmp", ""},  {"x.rio", ""},
      {"cc", ""},
  };
  for (const auto& row : table) EXPECT_EQ(toolLogLine(row.path), row.line) << row.path;
}

TEST(SplitGeneratedLine, CutsAtEightyColumns) {
  EXPECT_EQ(splitGeneratedLine("short;", 6), std::vector<std::string>{"short;"});
  EXPECT_EQ(splitGeneratedLine("", 6), std::vector<std::string>{""});
  const std::string call = "zenta_run.DCL_OP_CPP(1, \"" + std::string(70, 'S') + "\");";
  // The last separator before the string literal; it begins the rest.
  EXPECT_EQ(splitGeneratedLine(call, 6),
            (std::vector<std::string>{"zenta_run.DCL_OP_CPP(1,", " \"" + std::string(70, 'S') + "\");"}));
  const std::string words = std::string(50, 'a') + " " + std::string(40, 'b') + " " + std::string(70, 'c');
  EXPECT_EQ(splitGeneratedLine(words, 6),
            (std::vector<std::string>{std::string(50, 'a'), " " + std::string(40, 'b'), " " + std::string(70, 'c')}));
  // No separator outside quotes: written whole.
  const std::string literal = "\"" + std::string(100, 'q') + " r\"";
  EXPECT_EQ(splitGeneratedLine(literal, 6), std::vector<std::string>{literal});
}

TEST(SplitGeneratedLine, AdaCommentsContinueBehindDashes) {
  const std::string text = std::string(70, 'a') + " -- " + std::string(20, 'b') + " " + std::string(20, 'c');
  const std::vector<std::string> pieces = splitGeneratedLine(text, 0);
  ASSERT_GE(pieces.size(), 2u);
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    if (pieces[i - 1].find("--") != std::string::npos) {
      EXPECT_EQ(pieces[i].rfind("--", 0), 0u) << pieces[i];
    }
  }
}

}  // namespace
}  // namespace zenta::output
