// The elementary components of a tested variable, as the analyser expanded
// it, kept with the variable's description for the generator: structures
// framed by their open and close records, arrays by theirs around their
// element, every elementary component with its class, C type text and the
// values that reach it.
#pragma once

#include <string>
#include <vector>

namespace zenta::analyser {
struct TestedVariable;
}

namespace zenta::model {

enum ComponentRecordKind { ComponentElement = 0, ComponentOpenStructure, ComponentCloseStructure,
                           ComponentOpenArray, ComponentCloseArray };

struct ComponentRecord {
  int kind = ComponentElement;
  std::string access;  // C text of the component (`s.t[I1].x`)
  int typeClass = 8;
  std::string classWord;
  std::string cType;
  int size = 0;   // signed width (negative when signed)
  bool scopedEnumeration = false;  // initial values are converted explicitly
  int depth = 0;  // enclosing structures and arrays
  // Arrays: index variable and bounds.
  std::string indexVariable, lower, upper;
  bool sizeKnown = true;
  // Elements: the values that apply, and how many list levels they still
  // carry for the enclosing arrays.
  std::string init, ev, min, max;
  int listLevels = 0;
  // The FORMAT kind of this component (a FORMAT statement on a field path);
  // -1: the variable's.
  int formatKind = -1;
};

struct VariableDescription;

// Records the analyser's answer for the variable of a description: its type
// class, class word, C type text and size, and its components in walk order
// (replacing any recorded before).
void recordTestedVariable(VariableDescription& description, const analyser::TestedVariable& variable);

}  // namespace zenta::model
