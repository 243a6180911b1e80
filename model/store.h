// The test model store: the variables of the open element, the environment
// definitions in name order, and the stack of environments in use, all
// organised by scope level (model/pool.h).
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/access_path.h"
#include "model/pool.h"
#include "model/variable.h"

namespace zenta::model {

// One variable of a store: its access path and its description; smaller and
// greater root names in the two subtrees, the same root name in the chain.
struct VariableNode {
  AccessPath path;
  Handle descriptionText;  // the statement's text, interned in the store's pool
  std::shared_ptr<VariableDescription> description;
  std::unique_ptr<VariableNode> smaller;
  std::unique_ptr<VariableNode> greater;
  std::unique_ptr<VariableNode> sameName;
  int insertion = 0;  // rank of insertion in its store: the script order
};

// The variables of an element or of an environment: the binary tree by root
// name, the register variables and the database tables (kept for harness
// languages other than C++), and the expected exception.
struct VariableStore {
  std::unique_ptr<VariableNode> root;
  std::vector<std::string> registerVariables;
  std::vector<std::string> databaseTables;
  std::string expectedException;
  int variableCount = 0;
  bool empty() const { return variableCount == 0 && registerVariables.empty() && databaseTables.empty(); }
};

// Inserts a variable. Without index check it goes to the end of its
// same-name chain; with it, it is placed in the chain by its index bounds
// (warning "ARRINDENV" when an index has no bounds on either side).
VariableNode* insertVariable(VariableStore& store, const AccessPath& path, Handle descriptionText,
                             std::shared_ptr<VariableDescription> description, bool checkIndexes);
// The first node of the chain of a root name, or nullptr.
const VariableNode* findVariable(const VariableStore& store, const std::string& rootName);
// Visits every node in root-name order, each chain in its order.
template <typename F>
void forEachVariable(const VariableNode* node, F&& visit) {
  if (!node) return;
  forEachVariable(node->smaller.get(), visit);
  for (const VariableNode* n = node; n; n = n->sameName.get()) visit(*n);
  forEachVariable(node->greater.get(), visit);
}

// Visits every node in the order of insertion, which is the order of the
// script: generation writes the variables of an element in that order, so
// that of two statements reaching the same storage the later one wins.
template <typename F>
void forEachVariableInScriptOrder(const VariableStore& store, F&& visit) {
  std::vector<const VariableNode*> nodes;
  forEachVariable(store.root.get(), [&](const VariableNode& n) { nodes.push_back(&n); });
  std::sort(nodes.begin(), nodes.end(),
            [](const VariableNode* a, const VariableNode* b) { return a->insertion < b->insertion; });
  for (const VariableNode* n : nodes) visit(*n);
}

// Sets the expected exception of a store: a second one is the warning
// "DBL_EXCEP" and is ignored. Returns whether it was set.
bool setExpectedException(VariableStore& store, const std::string& exception);
// Register variables and database tables; a missing store is the internal
// error "ERRINTFCT" ("AJOUTE_VAR_REG", "AJOUTE_TABLE_BD").
void appendRegisterVariable(VariableStore* store, const std::string& text);
void appendDatabaseTable(VariableStore* store, const std::string& text);

// The store of the open element (created at ELEMENT, dropped at END ELEMENT
// after generation).
VariableStore& openElementStore();
VariableStore* elementStore();
void closeElementStore();

// One environment definition.
struct EnvironmentDefinition {
  Handle name;
  Handle expectedException;
  int parameterCount = 0;
  std::vector<Handle> parameters;
  int level = 0;
  int pool = 0;
  VariableStore store;
  EnvironmentDefinition* next = nullptr;  // the next definition by name
  int fileIndex = 0;
  int line = 0;
  std::string nameText() const { return text(name); }
};

// Creates a definition in name order; a name already defined (at any level)
// is the error "DUPENVNAM" and nothing is created.
EnvironmentDefinition* createEnvironment(const std::string& name, int level, int fileIndex = 0, int line = 0);
EnvironmentDefinition* findEnvironment(const std::string& name);
// The first definition in name order.
const EnvironmentDefinition* firstEnvironment();
// Frees every definition made at the level, then empties the level's pool.
void discardEnvironments(int level);

// The use stack: 499 usable positions (1 to 499).
constexpr int kUseStackSize = 499;

struct UseEntry {
  EnvironmentDefinition* definition = nullptr;
  std::vector<Handle> arguments;
  int pool = 0;
};

// Pushes a use at a level: the name must be defined ("ENV_INCON") with the
// same number of parameters ("NBPARADIF"); beyond the 499th position the
// internal error "ERRINTERN" ("EMPILE_UTILISE"). Returns success.
bool pushUse(const std::string& name, int level, const std::vector<Handle>& arguments, int pool);
// Pops the uses of a level (1 service, 2 test, 3 element); any other level is
// the internal error "ERRINTERN" ("DEPILE_UTILISE").
void popUses(int level);
int useTop();
int useMark(int level);
// The entry at a position (1 to useTop()), or nullptr.
const UseEntry* useAt(int position);

// Empties the whole model (every level, stores, definitions, uses).
void resetModel();

}  // namespace zenta::model
