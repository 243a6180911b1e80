// The run driver: start-up in its fixed order, the processing chain and the
// end of the run.
#pragma once

namespace zenta::driver {

// Runs the whole program; never returns (every way out exits).
[[noreturn]] void run(int argc, char** argv);

}  // namespace zenta::driver
