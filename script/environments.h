// ENVIRONMENT ... END ENVIRONMENT blocks and USE statements: definitions and
// uses in the test model, with their parameters.
#pragma once

#include <string>

namespace zenta::script {

// Records the definition of an ENVIRONMENT statement (name and optional
// parenthesised parameters) at a scope level.
void defineEnvironment(const std::string& rest, int level);
// Closes the open definition (also when generation is suppressed, so that
// no definition stays open past its block).
void endEnvironment();
// An EXCEPTION statement inside an environment.
void environmentException(const std::string& exception);
// A variable statement inside the open environment block.
void environmentVariable(const std::string& rest, bool array, bool structured);
// Pushes a USE (name and optional parenthesised arguments) at a scope level.
void useEnvironment(const std::string& rest, int level);

}  // namespace zenta::script
