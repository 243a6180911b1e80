#include "driver/startup.h"

#include <csignal>
#include <cstdlib>

#include "diag/report.h"
#include "diag/run_info.h"
#include "model/script_language.h"

namespace zenta::driver {

void crashHandler(int /*signalNumber*/) {
  // A second fault while reporting must not loop back here.
  std::signal(SIGSEGV, SIG_DFL);
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
  sigaction(SIGSEGV, &action, nullptr);
}

void readHeaderLanguage() {
  diag::setHeaderLanguage(diag::headerLanguageFromEnvironment(std::getenv("ZENTALAN")));
  model::initScriptLanguageFromEnvironment();
}

bool copyrightWanted() { return std::getenv("ZENTA_SUPPRESS_COPYRIGHT") == nullptr; }

}  // namespace zenta::driver
