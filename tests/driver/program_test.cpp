// Whole-program behaviour of the start-up and of the ways out.
#include <gtest/gtest.h>

#include <string>

#include "tests/driver/staged_run.h"

namespace {

const std::string kBannerLine =
    "Quarto-I-STARTEXEC,  Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020\n";
const std::string kCopyrightLine = "Quarto-I-COPYRIGHT,  Copyright (C) 2026 Zenta Software. All rights reserved.\n";

// The copyright line is part of what these tests look at.
testkit::EnvChanges environment(const std::string& lang, testkit::EnvChanges extra = {}) {
  extra.try_emplace("ZENTA_SUPPRESS_COPYRIGHT", std::nullopt);
  return staged::environment(lang, extra);
}
using staged::compile;

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

// The banner, then the copyright unless ZENTA_SUPPRESS_COPYRIGHT is set to
// anything, lead the error stream; nothing goes to the output stream.
TEST(Program, BannerThenCopyrightOnTheErrorStream) {
  const std::pair<std::optional<std::string>, bool> cases[] = {
      {std::nullopt, true}, {"", false}, {"1", false}, {"no", false}};
  for (const auto& [value, copyright] : cases) {
    testkit::ScratchDir dir;
    dir.write("e.ptu", kCleanScript);
    auto r = compile(dir, {"e.ptu", "out.cc"}, environment("C", {{"ZENTA_SUPPRESS_COPYRIGHT", value}}));
    EXPECT_TRUE(startsWith(r.err, kBannerLine + (copyright ? kCopyrightLine : ""))) << r.err;
    EXPECT_EQ(r.err.find("COPYRIGHT") != std::string::npos, copyright) << "value '" << value.value_or("unset");
    EXPECT_EQ(r.out, "");
  }
}

// The exit status and the summary line by the worst message; a list file is
// kept when there was any message, with the same summary at its end.
TEST(Program, ExitStatusSummaryAndListFileByTheWorstMessage) {
  const struct {
    const char* name;
    std::string script;
    std::vector<std::string> options;
    int status;
    const char* summary;
    const char* listed;  // in the list file too
  } cases[] = {
      {"clean", kCleanScript, {}, 0, "Quarto-I-ENDNOENWR,  End of execution with 0 error and 0 warning\n", nullptr},
      {"warning", kCleanScript, {"-LEARN"}, 3, "Quarto-I-ENDNOEWAR,  End of execution with 1 warning(s)\n", ""},
      {"error: a program without services", "HEADER m,1,1\nBEGIN\n", {}, 5,
       "Quarto-I-ENDERRNWR,  End of execution with 1 error(s)\n", "Quarto-E-PROG_VIDE,  [./e.ptu:"},
      // Reported once the chain has finished, at the line that opened it.
      {"a conditional the native code leaves open", "##ifdef NEVER_DEFINED\n" + std::string(kCleanScript), {}, 3,
       "Quarto-I-ENDNOEWAR,  End of execution with 1 warning(s)\n",
       "Quarto-W-UNTERCOND,  [./e.ptu:1] unterminated #ifdef conditional\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testkit::ScratchDir dir;
    dir.write("e.ptu", c.script);
    std::vector<std::string> args = {"e.ptu", "out.cc"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    auto r = compile(dir, args, environment("C"));
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_TRUE(endsWith(r.err, c.summary)) << r.err;
    ASSERT_EQ(dir.exists("e.lis"), c.listed != nullptr);
    if (!c.listed) continue;
    const std::string list = dir.read("e.lis");
    EXPECT_TRUE(endsWith(list, c.summary)) << list;
    EXPECT_NE(list.find(c.listed), std::string::npos) << list;
  }
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

// The messages speak the locale's language when the installation has its
// catalogue; without the locale folder the run warns and speaks English.
TEST(Program, MessagesInTheLocalesLanguage) {
  testkit::ScratchDir home;  // an installation without a locale folder
  const std::string noLocale = "Warning: directory doesn't exist '" + home.path().string() + "/lib/locale'\n";
  const struct {
    bool clean, installed;
    std::string start, end;
  } cases[] = {
      {false, true, kBannerLine + kCopyrightLine,
       "Quarto-F-IMPOUVFIC,  Impossible d'ouvrir le fichier ./missing.ptu\n"},
      {true, true, kBannerLine + kCopyrightLine,
       "Quarto-I-ENDNOENWR,  Fin d'exécution avec 0 erreur et 0 avertissement\n"},
      {false, false, noLocale + kBannerLine, "Quarto-F-IMPOUVFIC,  Cannot open the file ./missing.ptu\n"},
  };
  for (const auto& c : cases) {
    testkit::ScratchDir dir;
    dir.write("e.ptu", kCleanScript);
    testkit::EnvChanges extra;
    if (!c.installed) extra["QUARTODIR"] = home.path().string();
    auto r = compile(dir, {c.clean ? "e.ptu" : "missing.ptu", "out.cc"}, environment("fr_FR.UTF-8", extra));
    EXPECT_EQ(r.status, c.clean ? 0 : 7) << r.err;
    EXPECT_TRUE(startsWith(r.err, c.start)) << r.err;
    EXPECT_TRUE(endsWith(r.err, c.end)) << r.err;
  }
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
