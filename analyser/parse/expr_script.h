// The script's analysis of one value or expression text: whether it is one
// well-formed expression, what kind of value it is, and the text that stands
// for it.
//
// The text is parsed with the script's syntax messages ("SYNTAXERO", see
// expr_parser.h). A constant expression is evaluated with the script
// numbers: integers in 168 bits, reals in decimal; an integer result that
// does not fit is "OVERFLOW", a division by zero "DIVBYZERO" (both errors);
// division and remainder round toward zero as in C. Its image is then the
// value ("3", "2.5"); a single constant keeps its text as written (script
// notations such as 0FFh are written as their value); anything else is
// imaged as the expression.
#pragma once

#include <optional>
#include <string>

#include "analyser/parse/expr_parser.h"
#include "support/scriptnum.h"

namespace zenta::analyser {

enum class ScriptValueKind {
  None,        // empty or not well formed
  Integer,     // an integer constant expression
  Real,        // a constant expression with a real in it
  Character,   // one character constant
  String,      // a string literal
  Name,        // one identifier or qualified name
  Expression,  // any other expression
  List,        // an aggregate {...}
  Range,       // low..high
};

constexpr std::size_t kMaxScriptImage = 20480;

struct ScriptValue {
  bool wellFormed = false;
  ScriptValueKind kind = ScriptValueKind::None;
  std::string image;  // at most kMaxScriptImage bytes
  std::optional<support::ScriptInt> integer;  // kind Integer or Character
  std::optional<support::ScriptReal> real;    // kind Real
  // Range: the values of the bounds when they are constants.
  std::optional<support::ScriptReal> low, high;
};

// Analyses `request.text` (the request's scriptSyntax and folding are set by
// the function). An empty text is not well formed and reports nothing.
ScriptValue analyseScriptValue(AstContext& ctx, const SymbolTable& table, ParseRequest request);

}  // namespace zenta::analyser
