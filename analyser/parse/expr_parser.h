// The parser of the script's C/C++ expressions.
//
// A hand-written recursive descent over the tokens of the expression lexer,
// with precedence climbing for the binary operators. The grammar is that of
// C++ expressions (primary, postfix, unary, casts, pointer to member,
// multiplicative ... logical, conditional) with the script's additions:
// slices `a[i..j]`, ranges `i..j`, aggregates `{...}` whose items may be
// omitted, nested, or associations `i => v`.
//
// Forms with side effects are recognised and refused with a warning:
// assignments (also compound) "AFFECTATI", `x++` "POSTINCRE", `x--`
// "POSTDECRE" (the prefix forms alike), comma expressions outside argument
// and value lists "SOUSEXPRE". A range written wrongly is "SYNTAXERR" with
// the example "[min..max]"; any other syntax error "EXPERRONE" with the text,
// or "UNEXP_EOF" (an error) when the whole text was read. Text nested deeper
// than kMaxExpressionDepth, or a tree higher than kMaxExpressionHeight, is
// "EXPERRONE" too: the parser never runs out of stack.
//
// In the script's syntax (ParseRequest::scriptSyntax) every syntax fault is
// instead the error "SYNTAXERO" ("%1%2 expected") naming what was expected:
// "<fin d'expression>" after a complete expression, "<TERME>" or
// "<FACTEUR>" for the operand of an additive or multiplicative operator,
// "<IDENTIFICATEUR>" after `.`, `->` or `::`, the opening elements
// "'(' ou '[' ou '@' ou <CONSTANTE> ou <IDENTIFICATEUR>" where an expression
// should begin, or a closing token ("')'").
//
// Operators whose operands are integer constants are folded while parsing,
// in multi-precision with the result reduced to the C type of the result:
// `(10)-1` is the constant 9. A division or remainder by zero and a shift by
// a count outside the width are left as written.
#pragma once

#include <string_view>

#include "analyser/ast/context.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/message_hook.h"
#include "analyser/basic/names.h"
#include "analyser/sema/expr_node.h"

namespace zenta::analyser {

constexpr int kMaxExpressionDepth = 256;
constexpr int kMaxExpressionHeight = 2000;

struct ParseRequest {
  std::string_view text;
  int scope = kGlobalScope;  // names are classified (type or not) from it
  Name file;                 // the script position, for messages
  int line = 0;
  MessageHook hook = nullptr;
  bool scriptSyntax = false;  // report syntax faults as the script does
  bool fold = true;           // fold constant operations in their C types
};

enum class ParseStatus { Ok, Empty, Fault };

// Parses `request.text` into `tree` (which keeps the nodes). Empty text gives
// Empty without a message; a fault leaves no root.
ParseStatus parseExpression(AstContext& ctx, const SymbolTable& table, const ParseRequest& request,
                            ExpressionTree& tree);

}  // namespace zenta::analyser
