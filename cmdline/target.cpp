#include "cmdline/target.h"

namespace zenta::cmdline {

void loadTargetConfiguration() {}

}  // namespace zenta::cmdline
