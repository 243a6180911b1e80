// Fuzz target of the report tool's readers: each input is a description
// file and a results file separated by a null byte (without one, the whole
// input is read as both). What reads is joined, and a joined run is written
// as text, JUnit XML and HTML. Any crash, sanitizer report or hang is a
// fault; inputs that are refused are expected and only counted.
//
// Built with clang's -fsanitize=fuzzer it is a libFuzzer target. Built
// without it (ZENTA_FUZZ_REPLAY) it is a plain program that reads the files
// and folders named on its command line once each: the test suite replays
// the seed corpus and the regression inputs with it.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "tools/zentareport/html_report.h"
#include "tools/zentareport/junit_report.h"
#include "tools/zentareport/text_report.h"

#include "message_count.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenta::report;
  if (size > 65536) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\0');
  const std::string tdc = cut == std::string::npos ? input : input.substr(0, cut);
  const std::string rio = cut == std::string::npos ? input : input.substr(cut + 1);
  Problem problem;
  Description description;
  Results results;
  const bool described = readDescription(tdc, "fuzz.tdc", description, problem);
  if (!described) g_messages += static_cast<int>(formatProblem(problem).size() & 1) + 1;
  if (!readResults(rio, "fuzz.rio", results, problem)) {
    ++g_messages;
    return 0;
  }
  std::vector<Run> runs(1);
  if (!described || !joinRun(description, results, runs[0], problem)) {
    ++g_messages;
    return 0;
  }
  std::ostringstream out;
  writeText(out, runs, size % 2 == 0);
  writeJunit(out, runs);
  writeHtml(out, runs);
  g_messages += static_cast<int>(out.str().size() & 1);
  return 0;
}

#ifdef ZENTA_FUZZ_REPLAY
#define ZENTA_FUZZ_VERB "reported"
#include "replay_main.h"
#endif
