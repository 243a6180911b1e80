// The compiler's command: option table, checks and the settings they produce.
#pragma once

namespace zenta::cmdline {

// Decodes the command line into the settings; ends the run itself on a
// fatal error.
void analyseCommand(int argc, char** argv);

}  // namespace zenta::cmdline
