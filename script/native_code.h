// The road of the native code of a script to the C/C++ analyser: the
// collected lines are preprocessed (so that macros and includes take
// effect) and their declarations analysed before the next statement.
#pragma once

#include <string>

namespace zenta::script {

// Runs the collected code through the preprocessor as a buffer of the file
// whose first line is line + 1; returns the preprocessed text.
std::string preprocessNativeCode(const std::string& code, const std::string& file, int line);
// Analyses the declarations of preprocessed native code.
void analyseNativeDeclarations(const std::string& preprocessed);

}  // namespace zenta::script
