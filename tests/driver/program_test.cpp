// Whole-program behaviour of the start-up and of the ways out.
#include <gtest/gtest.h>

#include <string>

#include "tests/testkit/process.h"

namespace {

const std::string kBannerLine =
    "Quarto-I-STARTEXEC,  Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020\n";
const std::string kCopyrightLine = "Quarto-I-COPYRIGHT,  Copyright (C) 2026 Zenta Software. All rights reserved.\n";

// A controlled environment: the staged installation, a chosen language, and
// none of the variables that would override it.
testkit::EnvChanges environment(const std::string& lang, testkit::EnvChanges extra = {}) {
  testkit::EnvChanges env = {{"QUARTODIR", testkit::stageDir()},
                             {"ZNTTGT", testkit::stageDir()},
                             {"LANG", lang},
                             {"LC_ALL", std::nullopt},
                             {"LC_MESSAGES", std::nullopt},
                             {"LANGUAGE", std::nullopt},
                             {"ZENTALAN", std::nullopt},
                             {"ZENTA_SUPPRESS_COPYRIGHT", std::nullopt}};
  for (auto& [k, v] : extra) env[k] = v;
  return env;
}

testkit::Result compile(const testkit::ScratchDir& dir, const std::vector<std::string>& args,
                        const testkit::EnvChanges& env) {
  std::vector<std::string> argv = {testkit::stageBin("zentaprepro")};
  argv.insert(argv.end(), args.begin(), args.end());
  return testkit::run(argv, env, dir.path().string());
}

// A script that compiles without any message.
const char kCleanScript[] =
    "##int x;\n"
    "HEADER m,1,1\n"
    "BEGIN\n"
    "SERVICE s\n"
    "TEST 1\n"
    "FAMILY nominal\n"
    "ELEMENT\n"
    "VAR x, int, init=1, ev=1\n"
    "END ELEMENT\n"
    "END FAMILY\n"
    "END TEST\n"
    "END SERVICE\n";

bool startsWith(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }
bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Program, BannerThenCopyrightOnTheErrorStream) {
  testkit::ScratchDir dir;
  dir.write("e.ptu", kCleanScript);
  auto r = compile(dir, {"e.ptu", "out.cc"}, environment("C"));
  EXPECT_TRUE(startsWith(r.err, kBannerLine + kCopyrightLine)) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST(Program, CopyrightSuppressedByAnyValue) {
  for (const char* value : {"", "1", "no"}) {
    testkit::ScratchDir dir;
    dir.write("e.ptu", kCleanScript);
    auto r = compile(dir, {"e.ptu", "out.cc"}, environment("C", {{"ZENTA_SUPPRESS_COPYRIGHT", value}}));
    EXPECT_TRUE(startsWith(r.err, kBannerLine)) << r.err;
    EXPECT_EQ(r.err.find("COPYRIGHT"), std::string::npos) << "value '" << value << "'";
  }
}

TEST(Program, CleanRunExitsZeroAndLeavesNoListFile) {
  testkit::ScratchDir dir;
  dir.write("e.ptu", kCleanScript);
  auto r = compile(dir, {"e.ptu", "out.cc"}, environment("C"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(endsWith(r.err, "Quarto-I-ENDNOENWR,  End of execution with 0 error and 0 warning\n")) << r.err;
  EXPECT_FALSE(dir.exists("e.lis"));
}

TEST(Program, WarningRunExitsThreeAndKeepsTheListFile) {
  testkit::ScratchDir dir;
  dir.write("e.ptu", kCleanScript);
  auto r = compile(dir, {"e.ptu", "out.cc", "-LEARN"}, environment("C"));
  EXPECT_EQ(r.status, 3) << r.err;
  const std::string summary = "Quarto-I-ENDNOEWAR,  End of execution with 1 warning(s)\n";
  EXPECT_TRUE(endsWith(r.err, summary)) << r.err;
  ASSERT_TRUE(dir.exists("e.lis"));
  EXPECT_TRUE(endsWith(dir.read("e.lis"), summary));
}

TEST(Program, ErrorRunExitsFiveAndKeepsTheListFile) {
  testkit::ScratchDir dir;
  dir.write("p.ptu", "HEADER m,1,1\nBEGIN\n");  // a program without services
  auto r = compile(dir, {"p.ptu", "out.cc"}, environment("C"));
  EXPECT_EQ(r.status, 5) << r.err;
  const std::string summary = "Quarto-I-ENDERRNWR,  End of execution with 1 error(s)\n";
  EXPECT_TRUE(endsWith(r.err, summary)) << r.err;
  ASSERT_TRUE(dir.exists("p.lis"));
  const std::string list = dir.read("p.lis");
  EXPECT_TRUE(endsWith(list, summary));
  EXPECT_NE(list.find("Quarto-E-PROG_VIDE,  [./p.ptu:"), std::string::npos) << list;
}

TEST(Program, WarningDisplayLimitHidesTheRestFromTheErrorStreamOnly) {
  testkit::ScratchDir dir;
  std::string script = kCleanScript;
  std::string unknown;
  for (int i = 1; i <= 7; ++i) unknown += "BOGUS" + std::to_string(i) + "\n";
  script.insert(script.find("END ELEMENT"), unknown);  // seven unknown keywords: seven warnings
  dir.write("w.ptu", script);
  auto r = compile(dir, {"w.ptu", "out.cc", "-W=5"}, environment("C"));
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("BOGUS5\n"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("BOGUS6"), std::string::npos) << r.err;
  const std::string tail = "Quarto-I-MORERWALI,  more detailed Errors/Warnings can be found in file w.lis\n"
                           "Quarto-I-ENDNOEWAR,  End of execution with 7 warning(s)\n";
  EXPECT_TRUE(endsWith(r.err, tail)) << r.err;
  const std::string list = dir.read("w.lis");
  EXPECT_NE(list.find("BOGUS7\n"), std::string::npos) << list;
  EXPECT_TRUE(endsWith(list, tail));
}

TEST(Program, ZentalanChoosesTheHeaderCommentWords) {
  const std::pair<std::optional<std::string>, const char*> cases[] = {
      {std::nullopt, "//* TOOL : "}, {"gb", "//* TOOL : "}, {"DE", "//* TOOL : "}, {"", "//* TOOL : "},
      {"fr", "//* OUTIL : "},        {"FA", "//* OUTIL : "},
  };
  for (const auto& [value, word] : cases) {
    testkit::ScratchDir dir;
    dir.write("e.ptu", kCleanScript);
    auto r = compile(dir, {"e.ptu", "out.cc"}, environment("C", {{"ZENTALAN", value}}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(dir.read("out.cc").find(word), std::string::npos) << (value ? *value : "(unset)");
  }
}

TEST(Program, MissingScriptIsFatalAndTheListFileKeepsTheBoxAndTheLine) {
  testkit::ScratchDir dir;
  auto r = compile(dir, {"missing.ptu", "out.cc"}, environment("C"));
  EXPECT_EQ(r.status, 7);
  const std::string fatal = "Quarto-F-IMPOUVFIC,  Cannot open the file ./missing.ptu\n";
  EXPECT_TRUE(endsWith(r.err, fatal)) << r.err;
  ASSERT_TRUE(dir.exists("missing.lis"));
  const std::string list = dir.read("missing.lis");
  const std::string stars(78, '*');
  EXPECT_TRUE(startsWith(list, stars + "\nDeprecated C++ Test Script Compiler 8.3.0.1.342.020 ")) << list;
  EXPECT_NE(list.find("\n* COMMANDE : zentaprepro missing.ptu out.cc"), std::string::npos) << list;
  EXPECT_NE(list.find("\n* FICHIER : ./missing.ptu "), std::string::npos) << list;
  EXPECT_NE(list.find("\n* DATE : "), std::string::npos) << list;
  EXPECT_TRUE(endsWith(list, stars + "\n" + fatal)) << list;
  EXPECT_EQ(list.find("STARTEXEC"), std::string::npos);  // written before the list file opened
}

TEST(Program, FrenchLocaleGivesFrenchMessages) {
  testkit::ScratchDir dir;
  auto r = compile(dir, {"missing.ptu", "out.cc"}, environment("fr_FR.UTF-8"));
  EXPECT_EQ(r.status, 7);
  EXPECT_TRUE(startsWith(r.err, kBannerLine + kCopyrightLine)) << r.err;
  EXPECT_TRUE(endsWith(r.err, "Quarto-F-IMPOUVFIC,  Impossible d'ouvrir le fichier ./missing.ptu\n")) << r.err;

  testkit::ScratchDir clean;
  clean.write("e.ptu", kCleanScript);
  r = compile(clean, {"e.ptu", "out.cc"}, environment("fr_FR.UTF-8"));
  EXPECT_TRUE(endsWith(r.err, "Quarto-I-ENDNOENWR,  Fin d'exécution avec 0 erreur et 0 avertissement\n")) << r.err;
}

TEST(Program, MissingLocaleFolderWarnsThenSpeaksEnglish) {
  testkit::ScratchDir home;
  testkit::ScratchDir dir;
  auto r = compile(dir, {"missing.ptu", "out.cc"},
                   environment("fr_FR.UTF-8", {{"QUARTODIR", home.path().string()}}));
  EXPECT_EQ(r.status, 7);
  EXPECT_TRUE(startsWith(r.err, "Warning: directory doesn't exist '" + home.path().string() + "/lib/locale'\n" +
                                    kBannerLine))
      << r.err;
  EXPECT_TRUE(endsWith(r.err, "Quarto-F-IMPOUVFIC,  Cannot open the file ./missing.ptu\n")) << r.err;
}

TEST(Program, UnopenableListFileIsFatal) {
  testkit::ScratchDir dir;
  dir.write("e.ptu", kCleanScript);
  std::filesystem::create_directory(dir.path() / "e.lis");  // a folder where the list file goes
  auto r = compile(dir, {"e.ptu", "out.cc"}, environment("C"));
  EXPECT_EQ(r.status, 7);
  EXPECT_TRUE(endsWith(r.err, "Quarto-F-FICERROPN,  File e.lis opening problem\n")) << r.err;
}

}  // namespace

namespace {

// A conditional that the script's native code leaves open is reported once
// the chain has finished, at the line that opened it.
TEST(Program, OpenConditionalOfNativeCodeIsReportedAtTheEnd) {
  testkit::ScratchDir dir;
  std::string script = kCleanScript;
  script.insert(0, "##ifdef NEVER_DEFINED\n");
  dir.write("c.ptu", script);
  auto r = compile(dir, {"c.ptu", "out.cc"}, environment("C"));
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("Quarto-W-UNTERCOND,  [./c.ptu:1] unterminated #ifdef conditional\n"), std::string::npos)
      << r.err;
}

}  // namespace
