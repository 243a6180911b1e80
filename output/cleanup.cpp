#include "output/cleanup.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace zenta::output {

namespace {

// The program is single-threaded: a handler interrupts the main flow and
// runs to its end before the flow goes on. Exchanging whole pointers keeps
// every name the handler can see valid; a name is freed only after it has
// left the list.
std::atomic<char*> g_names[kRemovalSlots];

constexpr int kTerminationSignals[] = {SIGHUP, SIGINT, SIGPIPE, SIGTERM, SIGXCPU};

char* copyOf(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

}  // namespace

void rememberForRemoval(int slot, const std::string& path) {
  if (slot < 0 || slot >= kRemovalSlots) return;
  std::free(g_names[slot].exchange(copyOf(path)));
}

void forgetForRemoval(int slot) {
  if (slot < 0 || slot >= kRemovalSlots) return;
  std::free(g_names[slot].exchange(nullptr));
}

void removeRememberedFiles() {
  for (std::atomic<char*>& name : g_names) {
    if (char* path = name.exchange(nullptr)) {
      ::unlink(path);
      std::free(path);
    }
  }
}

void removeRememberedFilesInHandler() noexcept {
  // The names are not freed: free is no business of a signal handler, and
  // the process ends right after.
  for (std::atomic<char*>& name : g_names) {
    if (char* path = name.exchange(nullptr)) ::unlink(path);
  }
}

const int* terminationSignals(int& count) {
  count = static_cast<int>(sizeof kTerminationSignals / sizeof kTerminationSignals[0]);
  return kTerminationSignals;
}

TerminationSignalsHeld::TerminationSignalsHeld() {
  sigset_t held;
  sigemptyset(&held);
  for (int s : kTerminationSignals) sigaddset(&held, s);
  sigprocmask(SIG_BLOCK, &held, &previous_);
}

TerminationSignalsHeld::~TerminationSignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace zenta::output
