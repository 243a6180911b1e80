#include "driver/startup.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <exception>

#include "diag/report.h"
#include "diag/run_info.h"
#include "model/script_language.h"
#include "output/cleanup.h"

namespace zenta::driver {

namespace {
// The faults that end the run as an internal error, like a segmentation
// violation: a bus error, an arithmetic trap, an illegal instruction, and an
// abort (a failed assertion in a library, or what the C++ runtime does with
// an exception that nothing catches).
constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

volatile sig_atomic_t g_crashing = 0;

[[noreturn]] void uncaughtException() { crashHandler(0); }

// A run ended from outside: its unfinished files go, then the signal ends
// the process as it would have, so that the caller sees why it stopped.
void terminationHandler(int signalNumber) {
  output::removeRememberedFilesInHandler();
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);  // delivered as soon as the handler returns
}
}  // namespace

void crashHandler(int /*signalNumber*/) {
  // A second fault while the first is reported: only what is safe in a
  // signal handler is left, and the status stays that of an internal error.
  if (g_crashing) {
    output::removeRememberedFilesInHandler();
    ::_exit(9);
  }
  g_crashing = 1;
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
  // A fault inside the handler comes back to it instead of killing the
  // process with the fault's own status.
  action.sa_flags = SA_NODEFER | (onStack ? SA_ONSTACK : 0);
  for (int s : kFaultSignals) sigaction(s, &action, nullptr);
  // An exception that nothing catches ends the run the same way, so that the
  // work files are removed and the list file is closed.
  std::set_terminate(&uncaughtException);

  struct sigaction termination{};
  termination.sa_handler = &terminationHandler;
  sigemptyset(&termination.sa_mask);
  int count = 0;
  const int* signals = output::terminationSignals(count);
  for (int i = 0; i < count; ++i) {
    struct sigaction previous{};
    // A signal the caller chose to ignore (nohup, a background job) stays
    // ignored.
    if (sigaction(signals[i], nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    sigaction(signals[i], &termination, nullptr);
  }
  // Beyond the file-size limit a write fails like one on a full disk
  // ("IMPECRFIC") instead of killing the process.
  std::signal(SIGXFSZ, SIG_IGN);
}

void readHeaderLanguage() {
  diag::setHeaderLanguage(diag::headerLanguageFromEnvironment(std::getenv("ZENTALAN")));
  model::initScriptLanguageFromEnvironment();
}

bool copyrightWanted() { return std::getenv("ZENTA_SUPPRESS_COPYRIGHT") == nullptr; }

}  // namespace zenta::driver
