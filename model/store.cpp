#include "model/store.h"

#include <array>

#include "diag/report.h"

namespace zenta::model {
namespace {

struct ModelState {
  std::unique_ptr<VariableStore> element;
  std::array<UseEntry, kUseStackSize + 1> uses{};
  int top = 0;
  std::array<int, kLevelCount> marks{};
};

ModelState& state() {
  static ModelState s;
  return s;
}

// The environment list is a plain linked list of owned nodes.
void freeList(EnvironmentDefinition* head) {
  while (head) {
    EnvironmentDefinition* n = head->next;
    delete head;
    head = n;
  }
}

EnvironmentDefinition*& listHead() {
  static EnvironmentDefinition* head = nullptr;
  return head;
}

enum Placement { Before, Continue };

// Compares the new path with a chained one, index by index.
Placement placeByIndexes(const AccessPath& added, const AccessPath& chained) {
  std::vector<const PathElement*> a, c;
  for (const PathElement& e : added.elements)
    if (e.kind == PathIndex) a.push_back(&e);
  for (const PathElement& e : chained.elements)
    if (e.kind == PathIndex) c.push_back(&e);
  const std::size_t n = std::min(a.size(), c.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (!a[i]->boundGiven || !c[i]->boundGiven) {
      diag::warning("ARRINDENV", text(added.root));
      return Before;
    }
    if (c[i]->lower > a[i]->upper) return Before;
    if (c[i]->lower == a[i]->lower && c[i]->upper == a[i]->upper) continue;
    return Continue;
  }
  return Continue;
}

}  // namespace

VariableNode* insertVariable(VariableStore& store, const AccessPath& path, Handle descriptionText,
                             std::shared_ptr<VariableDescription> description, bool checkIndexes) {
  auto node = std::make_unique<VariableNode>();
  node->path = path;
  node->descriptionText = descriptionText;
  node->description = std::move(description);
  VariableNode* result = node.get();
  node->insertion = store.variableCount++;

  std::unique_ptr<VariableNode>* slot = &store.root;
  while (*slot) {
    const int order = compare(path.root, (*slot)->path.root);
    if (order < 0) slot = &(*slot)->smaller;
    else if (order > 0) slot = &(*slot)->greater;
    else break;
  }
  if (!*slot) {
    *slot = std::move(node);
    return result;
  }
  // Same root name: walk the chain.
  std::unique_ptr<VariableNode>* link = slot;
  while (*link) {
    if (checkIndexes && placeByIndexes(path, (*link)->path) == Before) {
      VariableNode* displaced = link->get();
      if (link == slot) {  // the new node takes the displaced head's place in the tree
        node->smaller = std::move(displaced->smaller);
        node->greater = std::move(displaced->greater);
      }
      node->sameName = std::move(*link);
      *link = std::move(node);
      return result;
    }
    link = &(*link)->sameName;
  }
  *link = std::move(node);
  return result;
}

const VariableNode* findVariable(const VariableStore& store, const std::string& rootName) {
  const VariableNode* n = store.root.get();
  while (n) {
    const int order = rootName.compare(text(n->path.root));
    if (order == 0) return n;
    n = order < 0 ? n->smaller.get() : n->greater.get();
  }
  return nullptr;
}

bool setExpectedException(VariableStore& store, const std::string& exception) {
  if (!store.expectedException.empty()) {
    diag::warning("DBL_EXCEP", exception);
    return false;
  }
  store.expectedException = exception;
  return true;
}

void appendRegisterVariable(VariableStore* store, const std::string& value) {
  if (!store) {
    diag::error("ERRINTFCT", "AJOUTE_VAR_REG");
    return;
  }
  store->registerVariables.push_back(value);
}

void appendDatabaseTable(VariableStore* store, const std::string& value) {
  if (!store) {
    diag::error("ERRINTFCT", "AJOUTE_TABLE_BD");
    return;
  }
  store->databaseTables.push_back(value);
}

VariableStore& openElementStore() {
  state().element = std::make_unique<VariableStore>();
  return *state().element;
}
VariableStore* elementStore() { return state().element.get(); }
void closeElementStore() { state().element.reset(); }

EnvironmentDefinition* createEnvironment(const std::string& name, int level, int fileIndex, int line) {
  if (level < 0 || level >= kLevelCount) {
    diag::error("ERRINTFCT", "CREE_ENVIRONNEMENT");
    return nullptr;
  }
  EnvironmentDefinition** link = &listHead();
  while (*link) {
    const int order = (*link)->nameText().compare(name);
    if (order == 0) {
      diag::error("DUPENVNAM", name);
      return nullptr;
    }
    if (order > 0) break;
    link = &(*link)->next;
  }
  auto* d = new EnvironmentDefinition;
  d->name = intern(level, name);
  d->level = level;
  d->pool = level;
  d->fileIndex = fileIndex;
  d->line = line;
  d->next = *link;
  *link = d;
  return d;
}

EnvironmentDefinition* findEnvironment(const std::string& name) {
  for (EnvironmentDefinition* d = listHead(); d; d = d->next)
    if (d->nameText() == name) return d;
  return nullptr;
}

const EnvironmentDefinition* firstEnvironment() { return listHead(); }

void discardEnvironments(int level) {
  EnvironmentDefinition** link = &listHead();
  while (*link) {
    if ((*link)->level == level) {
      EnvironmentDefinition* gone = *link;
      *link = gone->next;
      // A use still pointing to it (made at a shallower level) loses it.
      for (int i = 1; i <= state().top; ++i)
        if (state().uses[static_cast<std::size_t>(i)].definition == gone)
          state().uses[static_cast<std::size_t>(i)].definition = nullptr;
      delete gone;
    } else {
      link = &(*link)->next;
    }
  }
  emptyPool(level);
}

bool pushUse(const std::string& name, int level, const std::vector<Handle>& arguments, int pool) {
  ModelState& s = state();
  if (level < 0 || level >= kLevelCount) {
    diag::error("ERRINTERN", "EMPILE_UTILISE");
    return false;
  }
  EnvironmentDefinition* d = findEnvironment(name);
  if (!d) {
    diag::error("ENV_INCON", name);
    return false;
  }
  if (d->parameterCount != static_cast<int>(arguments.size())) {
    diag::error("NBPARADIF", name);
    return false;
  }
  if (s.marks[static_cast<std::size_t>(level)] >= kUseStackSize) {
    diag::error("ERRINTERN", "EMPILE_UTILISE");
    return false;
  }
  const int position = ++s.marks[static_cast<std::size_t>(level)];
  for (int l = level + 1; l < kLevelCount; ++l) s.marks[static_cast<std::size_t>(l)] = position;
  UseEntry& e = s.uses[static_cast<std::size_t>(position)];
  e.definition = d;
  e.arguments = arguments;
  e.pool = pool;
  s.top = position;
  return true;
}

void popUses(int level) {
  ModelState& s = state();
  if (level < 1 || level >= kLevelCount) {
    diag::error("ERRINTERN", "DEPILE_UTILISE");
    return;
  }
  const int keep = s.marks[static_cast<std::size_t>(level - 1)];
  for (int i = keep + 1; i <= kUseStackSize; ++i) {
    UseEntry& e = s.uses[static_cast<std::size_t>(i)];
    e.definition = nullptr;
    e.arguments.clear();
  }
  s.top = keep;
  for (int l = level; l < kLevelCount; ++l) s.marks[static_cast<std::size_t>(l)] = keep;
}

int useTop() { return state().top; }
int useMark(int level) {
  return level >= 0 && level < kLevelCount ? state().marks[static_cast<std::size_t>(level)] : 0;
}
const UseEntry* useAt(int position) {
  if (position < 1 || position > state().top) return nullptr;
  return &state().uses[static_cast<std::size_t>(position)];
}

void resetModel() {
  ModelState& s = state();
  s.element.reset();
  freeList(listHead());
  listHead() = nullptr;
  for (auto& e : s.uses) e = UseEntry{};
  s.top = 0;
  s.marks.fill(0);
  resetPools();
}

}  // namespace zenta::model
