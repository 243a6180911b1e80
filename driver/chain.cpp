#include "driver/chain.h"

namespace zenta::driver {

void runProcessingChain() {}

}  // namespace zenta::driver
