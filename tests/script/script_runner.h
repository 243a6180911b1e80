// Runs the script front end in-process on a script written to a scratch
// folder and collects the messages it reported (from the list file).
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyser/interface.h"
#include "cmdline/filenames.h"
#include "cmdline/settings.h"
#include "cmdline/target.h"
#include "diag/catalogue.h"
#include "diag/report.h"
#include "generator/skeleton.h"
#include "model/script_language.h"
#include "output/sources.h"
#include "script/analyse.h"

namespace scripttest {

struct Message {
  char severity;  // S F E W I
  std::string code;
  int line;
  std::string text;  // the whole line
};

inline std::string& scratchPath() {
  static std::string dir;
  return dir;
}

// Removes the scratch folder after the last test (not in the children of
// death tests, which end through exit).
class ScratchCleanup : public ::testing::Environment {
 public:
  void TearDown() override {
    if (scratchPath().empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(scratchPath(), ec);
  }
};

inline std::string scratchDir() {
  std::string& dir = scratchPath();
  if (dir.empty()) {
    const std::string base = std::filesystem::temp_directory_path().string() + "/zenta-script-test-XXXXXX";
    std::vector<char> pattern(base.begin(), base.end());
    pattern.push_back('\0');
    const char* made = ::mkdtemp(pattern.data());
    dir = made ? made : std::filesystem::temp_directory_path().string();
    if (made) ::testing::AddGlobalTestEnvironment(new ScratchCleanup);
  }
  return dir;
}

inline std::string writeFile(const std::string& name, const std::string& content) {
  const std::string path = scratchDir() + "/" + name;
  std::ofstream out(path, std::ios::binary);
  out << content;
  return path;
}

inline std::vector<Message> parseList(const std::string& path) {
  std::vector<Message> messages;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  static const std::regex head(R"(^Quarto-([SFEWI])-([A-Z_0-9]+),)");
  static const std::regex position(R"(\[[^\]]*:(-?[0-9]+)\])");
  while (std::getline(in, line)) {
    std::smatch m;
    if (!std::regex_search(line, m, head)) continue;
    Message msg{m[1].str()[0], m[2].str(), 0, line};
    std::smatch p;
    if (std::regex_search(line, p, position)) msg.line = std::stoi(p[1].str());
    messages.push_back(msg);
  }
  return messages;
}

struct Options {
  int language = zenta::model::LangEnglish;
  zenta::script::Selection selection;
  bool dropSimulation = false;
  std::vector<std::string> defines;
  std::vector<std::string> includeDirectories;
  std::vector<int> traces;
  std::string strver;
  int harnessLanguage = 6;
  bool ideMessages = false;  // the IDE form on the standard error stream
};

inline void prepare(const Options& o) {
  zenta::diag::resetForTests();
  zenta::diag::registerCatalogues();
  zenta::diag::installSupportHooks();
  zenta::diag::setMessageForm(o.ideMessages ? zenta::diag::MessageForm::Ide : zenta::diag::MessageForm::Classic);
  zenta::output::resetSourcesForTests();
  zenta::cmdline::resetSettings();
  zenta::cmdline::mutableSettings().definitions = o.defines;
  zenta::cmdline::mutableSettings().includeDirectories = o.includeDirectories;
  zenta::cmdline::mutableSettings().strver = o.strver;
  for (int t : o.traces) zenta::cmdline::mutableSettings().traces[static_cast<std::size_t>(t)] = true;
  zenta::cmdline::TargetConfiguration target;
  // An empty runtime header keeps these runs independent of the target package.
  target.targetDirectory = scratchDir();
  target.runtimeHeaderPath = writeFile("TP.h", "");
  target.runtimeHeader = "\"" + target.runtimeHeaderPath + "\"";
  target.packageFound = true;
  zenta::cmdline::setTargetConfigurationForTests(target);
  zenta::model::setScriptLanguage(o.language);
  zenta::model::setScriptLanguageOpen(true);
}

// Analyses a script file already written; returns the messages.
inline std::vector<Message> analyseFile(const std::string& path, const Options& o = {}) {
  prepare(o);
  const std::string list = scratchDir() + "/messages.lis";
  std::remove(list.c_str());
  zenta::diag::openListFile(list);
  zenta::cmdline::Settings& settings = zenta::cmdline::mutableSettings();
  settings.testScript = path;
  settings.harness = scratchDir() + "/harness.cc";
  settings.resultsDirectory = scratchDir();
  zenta::cmdline::deriveAllNames();
  zenta::analyser::startAnalyser({}, o.defines, "");
  zenta::generator::prepareGeneration();
  zenta::output::openSource(path, zenta::output::F_PTU);
  zenta::script::PassArguments args;
  args.selection = o.selection;
  args.dropSimulation = o.dropSimulation;
  args.harnessLanguage = o.harnessLanguage;
  zenta::script::analyseScript(args);
  zenta::diag::closeListFile();
  zenta::output::resetSourcesForTests();
  zenta::diag::runExitCleanup();
  return parseList(list);
}

// A program whose head holds `head`, whose service begins with `service` and
// whose one element holds `element`.
inline std::string program(const std::string& head, const std::string& element = "VAR x, int, INIT = 1, EV = 1\n",
                           const std::string& service = "") {
  return "HEADER m, 1, x\nBEGIN\n" + head + "SERVICE s\n" + service + "TEST t\nFAMILY f\nELEMENT\n" + element +
         "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";
}

inline std::vector<Message> analyse(const std::string& script, const Options& o = {}) {
  return analyseFile(writeFile("script.ptu", script), o);
}

// "W:CODE:12" for each message, in order.
inline std::vector<std::string> brief(const std::vector<Message>& ms) {
  std::vector<std::string> out;
  for (const Message& m : ms) out.push_back(std::string(1, m.severity) + ":" + m.code + ":" + std::to_string(m.line));
  return out;
}

inline std::string joined(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += x + " ";
  return s;
}

}  // namespace scripttest
