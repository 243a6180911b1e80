// Variable statements VAR, ARRAY (TAB) and STR (STRUCTURE): the qualifier
// analysis and the recording in the open element.
#pragma once

#include <string>

namespace zenta::script {

// Analyses one variable statement (the text after its keyword) and records
// it in the open element. Returns whether a variable was recorded.
bool handleVar(const std::string& rest, bool array, bool structured);

}  // namespace zenta::script
