// Objects declared with a placeholder type (`auto`, `decltype(auto)`,
// `decltype (e)`): the type their initialiser or expression tells, for the
// expression typer's deducer (ExpressionTyper::setDeducer).
#pragma once

#include "analyser/ast/context.h"
#include "analyser/ast/symbols.h"

namespace zenta::analyser {

// The type of `s`, parsed and typed quietly in the scope of its declaration:
//   auto x = e;            the type of e by value: no reference, no const of
//                          its own, arrays and functions decayed to pointers;
//   decltype(auto) x = e;  the type of e;
//   decltype (e) x;        the type of e;
// then the const and the reference the declaration writes around the
// placeholder (`const auto &r = x`). Null when the text does not parse or
// type, when the initialiser is braced (`auto x{1}` and `auto x = {1}` are
// not told apart in the text kept), and for a declaration met again while it
// is being deduced (`auto a = b; auto b = a;`). Deductions inside a
// deduction are remembered until the outermost one ends, so each declaration
// is deduced once per request.
Type* deducePlaceholder(AstContext& ctx, const SymbolTable& table, const Symbol& s);

}  // namespace zenta::analyser
