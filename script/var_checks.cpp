#include "script/var_checks.h"

#include <unordered_set>

#include "analyser/parse/expr_script.h"
#include "diag/report.h"
#include "model/access_path.h"
#include "model/store.h"
#include "script/analyse.h"
#include "script/keywords.h"
#include "script/var_split.h"

namespace zenta::script {

namespace {

struct TestVariables {
  int dynamicInitialisations = 0;
  int evInChecks = 0;
  std::unordered_set<std::string> described;
};

TestVariables g_test;

bool typeClassIs(const analyser::VariablePeek& type, std::initializer_list<int> classes) {
  if (!type.typed) return false;
  for (int c : classes)
    if (type.typeClass.value == c) return true;
  return false;
}

// The items of an aggregate value `{a, , c}` (empty for an omitted one);
// false when the value is not an aggregate.
bool aggregateItems(const std::string& value, std::vector<std::string>& items) {
  if (value.size() < 2 || value.front() != '{' || value.back() != '}') return false;
  return splitList(std::string_view(value).substr(1, value.size() - 2), items);
}

bool positionalOnly(const std::vector<std::string>& items) {
  for (const std::string& item : items)
    if (item.find("=>") != std::string::npos) return false;
  return true;
}

// The INIT IN list of a variable of the open element, or nullptr.
const model::VariableDescription* linkedVariable(const std::string& name) {
  const model::VariableStore* store = model::elementStore();
  if (store == nullptr) return nullptr;
  model::AccessPath path;
  model::parseAccessPath(name, model::LevelElement, path);
  const std::string key = model::normaliseVariableText(name);
  for (const model::VariableNode* n = model::findVariable(*store, path.rootText()); n != nullptr;
       n = n->sameName.get())
    if (n->description && model::normaliseVariableText(n->description->variableText) == key) return n->description.get();
  return nullptr;
}

void checkLink(const std::string& links, int count) {
  std::vector<std::string> names;
  splitList(links, names);
  for (const std::string& name : names) {
    const model::VariableDescription* v = linkedVariable(name);
    if (v == nullptr || v->initForm != model::InitInList) {
      diag::error("VARLIEINC", name);
      continue;
    }
    if (v->initListCount != count) diag::error("VARLIENNB", name);
  }
}

}  // namespace

void checkConsistency(model::VariableDescription& d, const analyser::VariablePeek& type) {
  const std::string& name = d.variableText;
  // 1. INIT.
  const bool noInitNeeded = (d.analyserFlags & model::FlagNoInitNeeded) != 0;
  if (!d.initPresent) {
    if (!noInitNeeded) diag::warning("INITABSEN", name);
  } else if (noInitNeeded) {
    diag::warning((d.analyserFlags & model::FlagConstant) != 0 ? "CONSTINIT" : "NOMVARINC", name);
    d.initPresent = false;
    d.initDoubleEqual = false;
    d.initFromPresent = false;
    d.initForm = model::InitValue;
    d.rangeKind = model::RangeNone;
    d.initText.clear();
    d.initListCount = 0;
  }
  // 2. Something to check.
  if (!d.evPresent) {
    if (!d.minPresent && !d.maxPresent) diag::error("VAMIMAABS", name);
    else if (!d.minPresent) diag::error("VAMINABSE", name);
    else if (!d.maxPresent) diag::error("VAMAXABSE", name);
  }
  // 3. DELTA beside MIN and MAX.
  const bool delta = d.deltaKind != model::DeltaNone;
  if (d.minPresent && d.maxPresent && delta) diag::error("DELMINMAX", name);
  // 4. EV beside MIN or MAX (twice when both are given).
  if (d.evPresent && d.minPresent) diag::error("VA_MINMAX", name);
  if (d.evPresent && d.maxPresent) diag::error("VA_MINMAX", name);
  // 5. Bounds on a value without order.
  if (((d.minPresent || d.maxPresent || delta) && typeClassIs(type, {6, 11})) ||
      (delta && typeClassIs(type, {2, 4, 5, 9, 10})))
    diag::error("MINMAXDEL", name);
  // 6. A range on a value that is neither an integer nor a real.
  if (d.initForm == model::InitFromRange && d.initFromPresent && type.typed && !typeClassIs(type, {0, 3}))
    diag::error("TYPEIFROM", name);
}

void checkStructured(const model::VariableDescription& d, const analyser::VariablePeek& type) {
  const bool onlyPlainForms =
      d.initForm == model::InitValue && (d.evKind == model::EvNone || d.evKind == model::EvPlain ||
                                         d.evKind == model::EvDoubleEqual) &&
      !d.minPresent && !d.maxPresent && d.deltaKind == model::DeltaNone;
  if (!onlyPlainForms) diag::error("AUTOSTRUC", "");
  std::vector<std::string> init, ev;
  const bool initAggregate = d.initPresent && aggregateItems(d.initText, init);
  bool anyField = false;
  for (const std::string& item : init) anyField = anyField || !item.empty();
  if (initAggregate && !anyField) diag::error("INITAGREG", d.variableText);
  // Omissions are compared position by position, in aggregates made of
  // positions only.
  if (initAggregate && anyField && d.evKind == model::EvPlain && aggregateItems(d.evText, ev) &&
      positionalOnly(init) && positionalOnly(ev)) {
    bool agree = init.size() == ev.size();
    for (std::size_t i = 0; agree && i < init.size(); ++i) agree = init[i].empty() == ev[i].empty();
    if (!agree) diag::warning("INVAOMISE", d.variableText);
  }
  if (type.recursive) diag::error("STRRECURS", "");
}

void checkLinkedLists(const model::VariableDescription& d) {
  // A list already refused is not compared with its link.
  if (d.initForm == model::InitWithList && !d.initText.empty()) checkLink(d.initLinkText, d.initListCount);
  if (d.evKind == model::EvLinkedIn && !d.evInList.empty()) checkLink(d.evLinkText, d.evListCount);
  if (d.evKind == model::EvLinkedWith && !d.evWithText.empty()) checkLink(d.evLinkText, d.evListCount);
  if (d.evKind == model::EvInList) {
    const bool listDiffers = d.initForm == model::InitInList && d.initListCount != d.evListCount;
    const bool rangeDiffers = d.initForm == model::InitFromRange && d.rangeValueCount > 0 &&
                              d.rangeValueCount != d.evListCount;
    if (listDiffers || rangeDiffers) diag::error("VAINIT_IN", d.variableText);
  }
}

void checkOverload(const model::VariableDescription& d) {
  if (!g_test.described.insert(model::normaliseVariableText(d.variableText)).second)
    diag::warning("NOMVARDBL", d.variableText);
}

bool countTestLimits(const model::VariableDescription& d) {
  bool ok = true;
  if (d.initForm == model::InitInList || d.initForm == model::InitFromRange) {
    if (++g_test.dynamicInitialisations > kMaxDynamicInitialisations) {
      diag::error("NBINITDYN", d.variableText);
      ok = false;
    }
  }
  if (d.evKind == model::EvInList || d.evKind == model::EvLinkedIn || d.evKind == model::EvLinkedWith) {
    if (++g_test.evInChecks > kMaxEvInChecks) {
      diag::error("NBVAINOVE", d.variableText);
      ok = false;
    }
  }
  return ok;
}

void resetTestVariables() { g_test = TestVariables{}; }

}  // namespace zenta::script
