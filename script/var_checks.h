// The checks of a variable statement once its qualifiers are read: the
// consistency of the qualifiers, the rules of structured variables, the
// linked lists, the variables met twice in a test, and the per-test limits.
#pragma once

#include <string>

#include "analyser/interface.h"
#include "model/variable.h"

namespace zenta::script {

// At most 8 dynamic initialisations (INIT IN, INIT FROM) and 64 EV IN
// checks in one test.
constexpr int kMaxDynamicInitialisations = 8;
constexpr int kMaxEvInChecks = 64;

// The consistency checks, in their order. The first (a missing INIT, or one
// given to a variable that takes none, which is then dropped) only warns;
// the others are errors.
void checkConsistency(model::VariableDescription& d, const analyser::VariablePeek& type);

// The rules of STR statements (only INIT =, INIT ==, EV = and EV ==; the
// fields of an aggregate; values omitted in INIT and EV together; no
// recursive structure).
void checkStructured(const model::VariableDescription& d, const analyser::VariablePeek& type);

// The lists linked to other variables of the element (EV (v) IN, EV (v)
// WITH, INIT (v) WITH) and the agreement of an EV IN list with the INIT IN of the variable.
void checkLinkedLists(const model::VariableDescription& d);

// NOMVARDBL when the variable was already described in the test.
void checkOverload(const model::VariableDescription& d);

// Counts the dynamic initialisations and EV IN checks of a statement that
// is to be recorded; false (after NBINITDYN or NBVAINOVE) past the limits.
bool countTestLimits(const model::VariableDescription& d);

// Starts the per-test state again (at every TEST).
void resetTestVariables();

}  // namespace zenta::script
