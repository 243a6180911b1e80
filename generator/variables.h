// Generation of the variables of an element at END ELEMENT: for each
// variable of the element's store, its description lines, the bracket calls
// that frame structures and arrays in the results, the loops over array
// elements with their index variables I1, I2, ..., and for every elementary
// component the initialisation and check code (generator/checks.h).
//
// What the walk reads from a description (model/variable.h):
// - the analyser's answer: typeClass, classWord, cType, typeSize and the
//   expansion in `components` (model::recordTestedVariable), whose elements
//   carry their INIT, EV, MIN and MAX values. Without an expansion the
//   variable is one element of typeClass with initText, evText, minText and
//   maxText; with typeClass -1 its declaredType gives the class, and without
//   one the variable is not generated.
// - variableText: the slices it holds (`t[0..9]`, as an ARRAY statement
//   completes it) are loops over I1, I2, ... outside those of the expansion.
// - deltaText and deltaKind; evForm (EV ==: the expected value is the
//   initial value; "N" in the description line); initDoubleEqual (INIT ==:
//   a pointer left unassigned by NONIL is no warning); initForm and the
//   range and list fields, evKind and evInList: INIT IN, INIT FROM and
//   EV IN values are expressions of a loop index (generator/dynamic.h).
// - formatKind (and a component's own), fileNumber and scriptLine.
#pragma once

#include <string>
#include <vector>

namespace zenta::model {
struct VariableDescription;
struct VariableStore;
}  // namespace zenta::model

namespace zenta::generator {

// Generates every variable of a store in the store's order (by root name,
// each same-name chain in its order).
void generateVariables(const model::VariableStore& store);
// Generates one variable.
void generateVariable(const model::VariableDescription& description);

// The highest index variable number used since the last reset: the test
// class declares I1 ... I<n> as members.
int indexVariablesUsed();
void resetVariableGeneration();

// The format part of a "V" line: "FORM=", "N" (value form) or "C", then the
// format letter and size chosen by the type class and the FORMAT kind.
std::string formatPart(bool valueForm, int typeClass, int formatKind, int size);

// Bracket calls, written to the element's check part (nothing under
// NOEDIT; the try and catch lines not under NOEXCEP).
void openStructure(int line);
void closeStructure(int line);
void openConstantBlock(int line);
void closeConstantBlock(int line);
void openArray(int line);
void closeArray(int line);
void loopBreak(int depth);

// "for( X=a;X <= b;++X){", or with " >= " and "--" for a descending range.
std::string loopHeader(const std::string& index, const std::string& from, const std::string& to,
                       bool descending);

// The slices of a variable text: each bracket whose content is a range
// `a..b` at its top level.
struct Slice {
  std::size_t begin = 0, end = 0;  // the brackets' positions
  std::string low, high;
};
std::vector<Slice> findSlices(const std::string& text);
// The text with its first `count` slices replaced by the index variables
// I1, I2, ... in order.
std::string withIndexVariables(const std::string& text, std::size_t count);

}  // namespace zenta::generator
