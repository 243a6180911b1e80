// Dynamic initialisation: a variable whose INIT is a list (INIT IN) or a
// range (INIT FROM a TO b with STEP, NB_TIMES or NB_RANDOM), or whose EV is
// a list (EV IN), makes the whole test run once per value. For such a
// variable this writes the loop that encloses the test body (its header
// straight into the harness, its closing brace to the test epilogue), the
// selection macros and random tables to the class declaration file and the
// repetition line of the test-description file, and gives back the texts
// that stand for the initial and expected values inside the loop:
// expressions of the loop index J<k>, so that the ordinary initialisation
// and check code works unchanged.
#pragma once

#include <string>
#include <vector>

namespace zenta::model {
struct VariableDescription;
}

namespace zenta::generator {

struct DynamicValues {
  std::string init;  // replaces the INIT value; empty when INIT is not dynamic
  std::string ev;    // replaces the EV value; empty without an EV IN list
  std::string initDisplay;  // the initial-value part of the "V" line
  std::string evDisplay;    // the expected-value part of the "V" line
};

// Whether the description has an INIT or EV form that this generates.
bool isDynamic(const model::VariableDescription& d);
// Whether its EV is a list (EV IN, EV (v) IN, EV (v) WITH).
bool dynamicExpectedValue(const model::VariableDescription& d);

// Writes the loops, macros and repetition lines of one variable and gives
// back its value texts. `typeText` is the C type text of the variable, used
// as a cast; `typeClass` is its class: pointers (6) cast the list values,
// integers (0) draw random values over the whole range.
DynamicValues generateDynamic(const model::VariableDescription& d, const std::string& typeText, int typeClass);

// The values of a list as written with its brackets: split at top-level
// commas, each trimmed.
std::vector<std::string> listValues(const std::string& list);

// The body of a selection macro over index `index`: the i-th value when the
// index equals i (from 1), the last value otherwise.
std::string selectionBody(const std::string& index, const std::vector<std::string>& values,
                          const std::string& cast);

// The number of values of a STEP range whose bounds and step are numbers;
// -1 when it is known only at run time.
long stepCount(const std::string& low, const std::string& high, const std::string& step);

// Starts the numbering of the value tables again (a new run).
void resetDynamicGeneration();

}  // namespace zenta::generator
