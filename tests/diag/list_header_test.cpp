#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diag/list_header.h"
#include "diag/report.h"
#include "diag/run_info.h"
#include "tests/testkit/process.h"

namespace {

using namespace zenta;

std::string framed(const std::string& text) { return text + std::string(77 - text.size(), ' ') + "*"; }

TEST(ListHeader, ShortCommandBox) {
  const auto lines = diag::listHeaderLines("zentaprepro t.ptu t.cc /LANGUAGE=C++", "./t.ptu", "Sat Dec  5 15:07:17 2026");
  const std::vector<std::string> expected = {
      std::string(78, '*'),
      framed("Deprecated C++ Test Script Compiler 8.3.0.1.342.020"),
      framed("*"),
      framed("* COMMANDE : zentaprepro t.ptu t.cc /LANGUAGE=C++"),
      framed("* FICHIER : ./t.ptu"),
      framed("* DATE : Sat Dec  5 15:07:17 2026"),
      framed("*"),
      std::string(78, '*'),
  };
  EXPECT_EQ(lines, expected);
  // An overlong line gets its closer after a blank.
  EXPECT_EQ(diag::listHeaderLines("c", std::string(80, 'n'), "d")[4], "* FICHIER : " + std::string(80, 'n') + " *");
}

TEST(ListHeader, LongCommandIsCutIntoAlignedPiecesAtTheSlashes) {
  std::string command = "zentaprepro tests/first_script.ptu out/harness.cc";
  for (int i = 0; i < 6; ++i) command += " /INCL=include/directory_number_" + std::to_string(i);
  const auto lines = diag::listHeaderLines(command, "s.ptu", "d");
  ASSERT_GT(lines.size(), 9u);
  const std::size_t pieces = lines.size() - 7;
  std::string rebuilt;
  for (std::size_t i = 0; i < pieces; ++i) {
    const std::string& line = lines[3 + i];
    ASSERT_EQ(line.size(), 78u) << line;
    EXPECT_EQ(line.back(), '*');
    EXPECT_EQ(line.substr(0, 13), i == 0 ? "* COMMANDE : " : "*            ");
    EXPECT_EQ(line[76], ' ') << line;  // at most 63 characters of the command
    if (i > 0) {
      EXPECT_EQ(line[13], '/') << line;
    }
    for (char c : line.substr(13, 64))
      if (c != ' ') rebuilt += c;
  }
  // Nothing of the command is lost.
  std::string expected;
  for (char c : command)
    if (c != ' ') expected += c;
  EXPECT_EQ(rebuilt, expected);
}

TEST(ListHeader, WrittenThroughTheEightyColumnWriter) {
  diag::resetForTests();
  testkit::ScratchDir dir;
  diag::openListFile(dir.file("b.lis"));
  const std::string name(80, 'n');
  diag::writeListHeader("zentaprepro a b", name, "d");
  diag::closeListFile();
  const std::string text = dir.read("b.lis");
  // The overlong name line continues on a line of its own.
  EXPECT_NE(text.find("* FICHIER : " + std::string(68, 'n') + "\n" + std::string(12, 'n') + " *\n"),
            std::string::npos);
  EXPECT_EQ(text.substr(0, 79), std::string(78, '*') + "\n");
  EXPECT_EQ(text.substr(text.size() - 79), std::string(78, '*') + "\n");
  diag::resetForTests();
}

TEST(RunInfo, BannerDateAndHeaderLanguage) {
  EXPECT_EQ(diag::bannerText(), "Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020");
  const std::pair<const char*, int> cases[] = {{nullptr, 2}, {"FR", 0}, {"fr", 0}, {"Fa", 1}, {"GB", 2},
                                               {"gb", 2},    {"DE", 2}, {"", 2},   {"FRA", 2}};
  for (const auto& [value, language] : cases)
    EXPECT_EQ(diag::headerLanguageFromEnvironment(value), language) << (value ? value : "(unset)");
  diag::setHeaderLanguage(7);
  EXPECT_EQ(diag::headerLanguage(), 2);
  diag::setHeaderLanguage(1);
  EXPECT_EQ(diag::headerLanguage(), 1);
  diag::setHeaderLanguage(2);
  // The date has the ctime layout, without its newline.
  const std::string date = diag::currentDateText();
  ASSERT_EQ(date.size(), 24u) << date;
  EXPECT_EQ(date[3], ' ');
  EXPECT_EQ(date[13], ':');
  EXPECT_EQ(date[16], ':');
}

}  // namespace
