// The processing chain: open the script and the outputs, write the opening
// description lines, analyse the script statement by statement, complete the
// harness, and close every file (deleting generated outputs after errors).
#pragma once

namespace zenta::driver {

void runProcessingChain();

}  // namespace zenta::driver
