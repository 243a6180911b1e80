// The code of one elementary variable (a scalar, a field or an array
// element): its initialisation, which gives it its INIT value and records
// that value through the runtime, and its check, which hands the value after
// the call, its bounds and its results line number to the runtime.
//
// Also the preparation of the bound texts of a check from the EV, MIN, MAX
// and DELTA qualifiers.
#pragma once

#include <string>
#include <vector>

namespace zenta::generator {

// How a value is tested: the analyser's type class, its C type text, the
// first letter of its class word ('u' unsigned, 'd' double, 'l' long double)
// and the display base index of its FORMAT (0 hexadecimal, 1 decimal,
// 2 binary; any other index is decimal).
struct TypeDescriptor {
  int typeClass = 8;
  std::string cType;
  char word = 0;
  int baseIndex = 1;
  // A scoped enumeration: the initial value is converted to the C type.
  bool convertInit = false;
};

// The type descriptor of an analyser answer (class, class word, C type text)
// with a FORMAT kind.
TypeDescriptor typeDescriptor(int typeClass, const std::string& classWord, const std::string& cType,
                              int formatKind);

// One elementary variable as the variable walk hands it over.
struct ElementaryVariable {
  std::string expression;  // access text; leading blanks are removed
  std::string init;        // INIT text (NIL and NONIL for pointers)
  std::string minimum, maximum;
  int line = 0;              // the number of the variable's "V" line
  std::string offset = "0";  // added to the line number at run time
  TypeDescriptor type;
  bool range = false;                // the check is a range that may be open
  int checkMode = 1;                 // 1: the bounds are compared
  bool record = false;               // the initial value is recorded too
  bool noInit = false;               // no initialisation at all
  bool pointerAcknowledged = false;  // INIT == NONIL: no warning for the missing assignment
};

// What one elementary variable writes: split lines of the initialisation
// part and lines of the check part.
struct CheckCode {
  std::vector<std::string> initialisation;
  std::vector<std::string> check;
};

// Builds the code of a variable under the two option flags. Reports
// "POINOINIT" for a pointer initialised with NONIL.
CheckCode checkCode(const ElementaryVariable& variable, bool noEdit, bool noExcep);
// Builds and writes it: the initialisation as split lines of the element's
// initialisation part, the check to the element epilogue.
void writeCheckCode(const ElementaryVariable& variable);

// A string value as the runtime's concatenation takes it: adjacent string
// literals become separate pieces ("ab" "c" gives "ab","c"); anything else
// is kept.
std::string stringPieces(const std::string& value);

// Whether the expression is the element's pseudo-variable `exception`.
bool isExceptionVariable(const std::string& expression);

// ------------------------------------------------------------------ bounds

// The qualifiers of one elementary variable that decide its bounds.
struct ExpectedValue {
  std::string ev;  // EV text, empty when none
  std::string min, max;
  std::string delta;      // DELTA text without its percent sign
  int deltaKind = 0;      // 0 none, 1 percentage, 2 absolute
  bool floating = false;  // percentages are completed with ".0"
};

struct BoundTexts {
  std::string minimum, maximum;
  bool range = false;  // MIN/MAX or DELTA: the two bounds differ
};

// EV alone gives the same text twice; EV with DELTA the folded interval
// around the value; MIN and MAX are taken as written ("MINMAXVAL" when both
// are constants and MIN is above MAX).
BoundTexts boundTexts(const ExpectedValue& value);

// Folds a text to its value when it is a constant expression of the
// script; otherwise gives it back.
std::string folded(const std::string& text);

// Replaces the words INIT and init by the initial value and VA and va by the
// expected value (either left alone when empty), outside literals; a
// replacement that is not a single token is parenthesised.
std::string replaceValueWords(const std::string& text, const std::string& init, const std::string& ev);

}  // namespace zenta::generator
