// Start-up helpers of the run driver: the segmentation-violation handler and
// the reading of the start-up environment.
#pragma once

namespace zenta::driver {

// Installs the handler of the segmentation-violation signal (and of the other
// fault signals: bus error, arithmetic trap, illegal instruction, abort) on
// its own stack so that a stack overflow is caught too; an uncaught exception
// takes the same way out. The signals that end a run from outside (SIGTERM,
// SIGINT, SIGHUP, SIGPIPE, SIGXCPU) remove the run's unfinished files before
// they end it; past the file-size limit, writes fail as on a full disk.
void installCrashHandler();

// The handler: the severe "INTERNERR" with "Module SFC", which runs the exit
// cleanup, closes the list file, flushes both streams and exits with 9. A
// fault while it reports removes the unfinished files and exits with 9 at
// once.
[[noreturn]] void crashHandler(int signalNumber);

// Sets the header-comment language from ZENTALAN (English by default).
void readHeaderLanguage();

// Whether the copyright line is to be printed (ZENTA_SUPPRESS_COPYRIGHT unset).
bool copyrightWanted();

}  // namespace zenta::driver
