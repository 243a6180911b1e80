// Fuzz target of the test-script front end: each input is read as a test
// script by the compiler's own script pass, in process: the reader, the
// keywords, the block structure, environments, includes, the variable
// statements with their expressions, and the generation of each element
// into the work files. Header analysis is off (no header is named), the
// declarations written in the script itself are analysed. Any crash,
// sanitizer report or hang is a fault; messages are expected and only
// counted. A fatal message, which ends the compiler, ends only the input
// here: the exit cleanup throws back to this function instead.
//
// Everything lives in one scratch folder made once per process: the script
// is written to it for each input, and every process-wide state the run
// touches (settings, messages, sources, work files, model, front end) is put
// back to its start before each input, so that inputs are independent.
//
// Built with clang's -fsanitize=fuzzer it is a libFuzzer target. Built
// without it (ZENTA_FUZZ_REPLAY) it is a plain program that reads the files
// and folders named on its command line once each: the test suite replays
// the seed corpus and the regression inputs with it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analyser/interface.h"
#include "cmdline/filenames.h"
#include "cmdline/settings.h"
#include "cmdline/target.h"
#include "diag/catalogue.h"
#include "diag/report.h"
#include "generator/skeleton.h"
#include "model/script_language.h"
#include "output/files.h"
#include "output/sources.h"
#include "script/analyse.h"

#include "message_count.h"

namespace {

// Thrown by the exit cleanup of a fatal or severe message.
struct RunEnded {};

void endRun() {
  zenta::output::removeUnfinishedFiles();
  throw RunEnded{};
}

// The scratch folder, removed when the process ends.
struct Scratch {
  std::string dir;
  Scratch() {
    const std::string base = std::filesystem::temp_directory_path().string() + "/zenta-script-fuzz-XXXXXX";
    std::vector<char> pattern(base.begin(), base.end());
    pattern.push_back('\0');
    const char* made = ::mkdtemp(pattern.data());
    if (!made) std::abort();
    dir = made;
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

const std::string& scratch() {
  static Scratch s;
  return s.dir;
}

void writeFile(const std::string& path, const char* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data, static_cast<std::streamsize>(size));
}

// The start of every run: the same steps as the compiler's chain, with
// the run's files in the scratch folder.
void prepare(const std::string& script) {
  using namespace zenta;
  diag::resetForTests();
  diag::installSupportHooks();
  diag::setMessageForm(diag::MessageForm::Classic);
  diag::setDisplayLimits(1, 1);
  output::resetSourcesForTests();
  output::resetOutputsForTests();
  cmdline::resetSettings();
  cmdline::TargetConfiguration target;
  // An empty runtime header keeps the runs independent of the target package.
  target.targetDirectory = scratch();
  target.runtimeHeaderPath = scratch() + "/TP.h";
  target.runtimeHeader = "\"" + target.runtimeHeaderPath + "\"";
  target.packageFound = true;
  cmdline::setTargetConfigurationForTests(target);
  model::setScriptLanguage(model::LangEnglish);
  model::setScriptLanguageOpen(true);
  cmdline::Settings& settings = cmdline::mutableSettings();
  settings.testScript = script;
  settings.harness = scratch() + "/harness.cc";
  settings.resultsDirectory = scratch();
  cmdline::deriveAllNames();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenta;
  if (size > 65536) return 0;
  const std::string script = scratch() + "/fuzz.ptu";
  // The message texts and the runtime header are the same for every input.
  static bool once = [] {
    diag::registerCatalogues();
    writeFile(scratch() + "/TP.h", "", 0);
    return true;
  }();
  (void)once;
  writeFile(script, reinterpret_cast<const char*>(data), size);
  prepare(script);
  try {
    analyser::startAnalyser({}, {}, "");
    generator::prepareGeneration();
    output::openSource(script, output::F_PTU);
    // Opening the script installed the compiler's own exit cleanup.
    diag::setExitCleanup(endRun);
    script::PassArguments args;
    args.dropSimulation = size % 2 == 1;
    script::analyseScript(args);
  } catch (const RunEnded&) {
    ++g_messages;
  }
  g_messages += diag::errorCount() + diag::warningCount();
  diag::setExitCleanup(nullptr);
  output::closeAndDeleteWorkFiles();
  output::resetOutputsForTests();
  output::resetSourcesForTests();
  script::resetFrontEnd();
  diag::resetForTests();
  return 0;
}

#ifdef ZENTA_FUZZ_REPLAY
#define ZENTA_FUZZ_VERB "compiled"
#include "replay_main.h"
#endif
