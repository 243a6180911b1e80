#include "script/variables.h"

#include "model/access_path.h"
#include "model/store.h"
#include "script/keywords.h"
#include "script/structure.h"

namespace zenta::script {

// Records the variable under its access path; the qualifiers (INIT, EV, MIN,
// MAX, DELTA) and the typing through the analyser are filled in by the
// variable-statement analysis.
bool handleVar(const std::string& rest, bool array, bool structured) {
  model::VariableStore* store = model::elementStore();
  if (!store) return false;
  auto description = std::make_shared<model::VariableDescription>();
  std::string variable = rest;
  const std::size_t comma = variable.find(',');
  if (comma != std::string::npos) variable = variable.substr(0, comma);
  description->variableText = trim(variable);
  description->statementKind = structured ? model::VariableStructured
                               : array    ? model::VariableArray
                                          : model::VariableScalar;
  model::AccessPath path;
  model::parseAccessPath(description->variableText, model::LevelElement, path);
  model::insertVariable(*store, path, model::intern(model::LevelElement, rest), description, false);
  return true;
}

}  // namespace zenta::script
