#include "cmdline/options.h"

namespace zenta::cmdline {

void analyseCommand(int, char**) {}

}  // namespace zenta::cmdline
