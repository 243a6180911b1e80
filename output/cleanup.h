// Files that must not outlive the run: the work files in TEMP and the outputs
// still under their temporary names beside their final ones. Their names are
// kept where a signal handler can reach them, so that a run ended by a
// signal (SIGTERM, SIGINT, a crash) removes them with unlink alone.
#pragma once

#include <signal.h>

#include <string>

namespace zenta::output {

// Number of places in the list; one per output and work file.
constexpr int kRemovalSlots = 32;

// Records the file of a place (replacing what it held). Record a name before
// creating the file, so that no moment exists where the file is on disk but
// unknown here.
void rememberForRemoval(int slot, const std::string& path);
// The file of the place no longer needs removing (it was renamed or deleted).
void forgetForRemoval(int slot);
// Unlinks every recorded file and forgets them.
void removeRememberedFiles();
// The same from a signal handler: async-signal-safe, it only reads the list
// and calls unlink.
void removeRememberedFilesInHandler() noexcept;

// The signals that end the run from outside (terminal, job control, a broken
// pipe, resource limits); their handler removes the recorded files and lets
// the signal end the process as it would have.
const int* terminationSignals(int& count);

// Holds the termination signals back while it lives: the outputs are put in
// place as a whole, never half of them.
class TerminationSignalsHeld {
 public:
  TerminationSignalsHeld();
  ~TerminationSignalsHeld();
  TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
  TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

}  // namespace zenta::output
