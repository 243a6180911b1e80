#include "cmdline/filenames.h"

namespace zenta::cmdline {

void deriveAllNames() {}

}  // namespace zenta::cmdline
