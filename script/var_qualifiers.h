// The qualifiers of a variable statement: INIT, EV (VA), MIN, MAX and DELTA,
// each read by its handler into the description being filled.
#pragma once

#include <string>
#include <string_view>

#include "model/variable.h"

namespace zenta::script {

// What the handlers of one statement share beside the description.
struct QualifierState {
  model::VariableDescription& description;
  int harnessLanguage = 6;
  bool deltaSeen = false;
  // Errors after which the statement is still generated (a NB_RANDOM count
  // out of range, replaced by 10).
  int toleratedErrors = 0;
};

using QualifierHandler = bool (*)(const std::string& word, const std::string& text, QualifierState& state);

struct QualifierEntry {
  const char* word;
  QualifierHandler handler;
};

// The six qualifier words in their order: DELTA, INIT, MAX, MIN, VA, EV (VA
// and EV share one handler).
const QualifierEntry* qualifierTable(int& count);
// The entry of an upper-case word, or nullptr.
const QualifierEntry* findQualifier(std::string_view word);

// One value of a qualifier: preprocessed with the C++ harness language, then
// analysed as a script expression whose image replaces it. False when it is
// not one well-formed expression (the analysis has reported it).
bool scriptValue(const std::string& text, int harnessLanguage, std::string& image);

// A value list `(v1, v2, ...)` or `{v1, v2, ...}`: each value as scriptValue
// takes it. Gives the list rebuilt from the images and the number of values;
// false for a text that is not such a list or has an empty or faulty value.
bool scriptList(const std::string& text, int harnessLanguage, std::string& list, int& count);

}  // namespace zenta::script
