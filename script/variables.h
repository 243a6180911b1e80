// Variable statements VAR, ARRAY (TAB) and STR (STRUCTURE): the qualifier
// analysis, the typing through the analyser and the recording in the open
// element.
#pragma once

#include <string>

namespace zenta::script {

// Analyses one variable statement (the text after its keyword) and records
// it in the open element unless it has an error. `array` is set for ARRAY
// and STR, `structured` for STR. The default of an environment
// (`fromEnvironment`) does not count as a second description of its
// variable in the test. Returns whether a variable was recorded.
bool handleVar(const std::string& rest, bool array, bool structured, bool fromEnvironment = false);

// The declared-type text that the variable stores give a variable text: the
// element's, then those of the environments in use at each level, from the
// current level outwards; empty when none holds it.
std::string declaredTypeOf(const std::string& variable);

}  // namespace zenta::script
