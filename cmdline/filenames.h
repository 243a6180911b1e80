// Names of every file the run reads or writes.
#pragma once

namespace zenta::cmdline {

// Derives all file names from the settings of the command line.
void deriveAllNames();

}  // namespace zenta::cmdline
