#include "script/environments.h"

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

void useEnvironment(const std::string& rest, int level) {
  model::pushUse(nameOf(rest), level, {}, level);
}

}  // namespace zenta::script
