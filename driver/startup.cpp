#include "driver/startup.h"

#include <csignal>
#include <cstdlib>
#include <exception>

#include "diag/report.h"
#include "diag/run_info.h"
#include "model/script_language.h"

namespace zenta::driver {

namespace {
// The faults that end the run as an internal error, like a segmentation
// violation: a bus error, an arithmetic trap, an illegal instruction.
constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};

[[noreturn]] void uncaughtException() { crashHandler(0); }
}  // namespace

void crashHandler(int /*signalNumber*/) {
  // A second fault while reporting must not loop back here.
  for (int s : kFaultSignals) std::signal(s, SIG_DFL);
  diag::severe("INTERNERR", "Module SFC");
}

void installCrashHandler() {
  // The handler runs on an alternate stack: a fault caused by an exhausted
  // stack could not run it otherwise.
  static char alternateStack[64 * 1024];
  stack_t stack{};
  stack.ss_sp = alternateStack;
  stack.ss_size = sizeof alternateStack;
  stack.ss_flags = 0;
  const bool onStack = sigaltstack(&stack, nullptr) == 0;

  struct sigaction action{};
  action.sa_handler = &crashHandler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = onStack ? SA_ONSTACK : 0;
  for (int s : kFaultSignals) sigaction(s, &action, nullptr);
  // An exception that nothing catches ends the run the same way, so that the
  // work files are removed and the list file is closed.
  std::set_terminate(&uncaughtException);
}

void readHeaderLanguage() {
  diag::setHeaderLanguage(diag::headerLanguageFromEnvironment(std::getenv("ZENTALAN")));
  model::initScriptLanguageFromEnvironment();
}

bool copyrightWanted() { return std::getenv("ZENTA_SUPPRESS_COPYRIGHT") == nullptr; }

}  // namespace zenta::driver
