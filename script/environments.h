// ENVIRONMENT ... END ENVIRONMENT blocks and USE statements: definitions and
// uses in the test model, with their parameters, and the variables the
// environments in use give to an element at its end.
#pragma once

#include <string>
#include <vector>

namespace zenta::script {

// Records the definition of an ENVIRONMENT statement (name and optional
// parenthesised parameters) at a scope level, with the position of the
// statement.
void defineEnvironment(const std::string& rest, int level, int fileIndex, int line);
// Closes the open definition (also when generation is suppressed, so that
// no definition stays open past its block); an open definition without
// variables is the warning "BLENVVIDE".
void endEnvironment();
// Forgets the open definition without a message (a new run).
void forgetOpenEnvironment();
// An EXCEPTION statement inside an environment.
void environmentException(const std::string& exception);
// A variable statement inside the open environment block.
void environmentVariable(const std::string& rest, bool array, bool structured);
// Pushes a USE (name and optional parenthesised arguments) at a scope level.
void useEnvironment(const std::string& rest, int level);
// The name of a USE statement (its first word, upper case).
std::string useName(const std::string& rest);

// Every whole-word occurrence of parameters[k] in `text` replaced by
// arguments[k]; literals are left alone.
std::string substituteParameters(const std::string& text, const std::vector<std::string>& parameters,
                                 const std::vector<std::string>& arguments);
// At END ELEMENT: the environments in use, most recent first, give the open
// element their exception and every variable it does not describe itself.
void applyEnvironments();

}  // namespace zenta::script
