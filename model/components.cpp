#include "model/components.h"

#include "analyser/interface.h"
#include "model/variable.h"

namespace zenta::model {

void recordTestedVariable(VariableDescription& description, const analyser::TestedVariable& variable) {
  description.typeClass = variable.typeClass.value;
  description.classWord = variable.typeClass.word;
  description.cType = variable.typeClass.cType;
  description.typeSize = variable.typeClass.size;
  description.components.clear();
  description.components.reserve(variable.components.size());
  for (const analyser::TestedComponent& c : variable.components) {
    ComponentRecord r;
    r.kind = static_cast<int>(c.kind);
    r.access = c.access;
    r.typeClass = c.typeClass.value;
    r.classWord = c.typeClass.word;
    r.cType = c.typeClass.cType;
    r.size = c.typeClass.size;
    r.scopedEnumeration = c.typeClass.scopedEnumeration;
    r.depth = c.depth;
    r.indexVariable = c.indexVariable;
    r.lower = c.lower;
    r.upper = c.upper;
    r.sizeKnown = c.sizeKnown;
    r.init = c.values.init;
    r.ev = c.values.ev;
    r.min = c.values.min;
    r.max = c.values.max;
    r.listLevels = c.listLevels;
    description.components.push_back(std::move(r));
  }
}

}  // namespace zenta::model
