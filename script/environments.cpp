#include "script/environments.h"

#include <cctype>
#include <memory>

#include "model/store.h"
#include "script/keywords.h"

namespace zenta::script {
namespace {
model::EnvironmentDefinition* g_open = nullptr;

std::string nameOf(const std::string& rest) {
  const std::size_t paren = rest.find('(');
  std::string name = trim(rest.substr(0, paren));
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}
}  // namespace

// The definition is recorded by name; parameters and the variables of the
// block are analysed by the environment statements.
void defineEnvironment(const std::string& rest, int level) {
  g_open = model::createEnvironment(nameOf(rest), level);
}

void endEnvironment() { g_open = nullptr; }

void environmentException(const std::string& exception) {
  if (g_open) model::setExpectedException(g_open->store, exception);
}

// Recorded under its variable text; the qualifiers are analysed by the
// variable statements.
void environmentVariable(const std::string& rest, bool array, bool structured) {
  if (!g_open) return;
  auto description = std::make_shared<model::VariableDescription>();
  std::string variable = rest.substr(0, rest.find(','));
  description->variableText = trim(variable);
  description->statementKind = structured ? model::VariableStructured
                               : array    ? model::VariableArray
                                          : model::VariableScalar;
  model::AccessPath path;
  model::parseAccessPath(description->variableText, g_open->level, path);
  model::insertVariable(g_open->store, path, model::intern(g_open->level, rest), description, false);
}

void useEnvironment(const std::string& rest, int level) {
  model::pushUse(nameOf(rest), level, {}, level);
}

}  // namespace zenta::script
