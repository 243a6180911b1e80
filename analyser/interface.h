// The compiler's entry points into the C/C++ analyser.
#pragma once

namespace zenta::analyser {

// Starts the analyser: include directories and definitions of the options,
// the predefined ZENTA, the standard-definitions file and STUBINACTIVE.
void startAnalyser();

}  // namespace zenta::analyser
