#include "analyser/interface.h"

namespace zenta::analyser {

void startAnalyser() {}

}  // namespace zenta::analyser
