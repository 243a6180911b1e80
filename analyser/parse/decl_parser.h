// The declaration parser: reads preprocessed headers and records every
// declaration in the symbol tables.
//
// A hand-written recursive descent over the declaration lexer, with
// tentative parsing where C++ needs it, that tells type names from other
// names by asking the tables as it goes. It accepts the declarations of C
// and of C++ as first standardised: simple declarations with storage
// classes, cv-qualifiers, base types, type names, elaborated names and type
// modifiers; declarators with pointers, references, pointers to members,
// arrays, functions (parameters, defaults, `...`, `throw (...)`, `const`),
// qualified names, operator names, conversion operators and destructors;
// typedefs; enumerations; classes, structures and unions with bases,
// access labels, nested types, friends, member templates and inline bodies;
// access and using-declarations; namespaces (unnamed ones too) and using
// directives; templates with explicit specialisations and instantiations;
// linkage specifications; function definitions, whose bodies and
// constructor initialiser lists are skipped. Words of the GNU C headers
// (`__attribute__((...))`, `__extension__`, `__restrict`, `__asm__("x")`,
// `__inline`, `__typeof__ (...)`, `__builtin_va_list`, `_Float128` ...) are
// accepted and skipped.
//
// In the C++11 to C++23 dialects (analyser/basic/dialect.h) it also reads
// what those standards add, as g++'s headers and modern libraries write it:
// scoped enumerations with an underlying type (and opaque ones), rvalue
// references, `auto` and `decltype` types and trailing return types, using
// aliases and alias templates, variadic templates and packs, variable
// templates, `= default` / `= delete`, ref-qualifiers, `override`, `final`,
// `noexcept`, default member initialisers, braced initialisers, nested and
// inline namespaces, inline variables, `static_assert`, `[[...]]` and
// `alignas`, `explicit (bool)`, constraints, requires-clauses and concepts
// (read past), deduction guides, user-defined literals, structured bindings,
// type-trait built-ins such as `__underlying_type (T)`, and `>>` closing two
// template argument lists. Bodies, initialisers, default arguments and
// constraints are read past by counting brackets; in them and in template
// arguments a `<` after a name opens arguments unless the name follows `::`
// and is no known template. What a later stage types is recorded as seen:
// an rvalue reference is a reference to a reference, `auto` and
// `decltype (...)` are placeholder typedefs named by their text (an object
// so declared keeps its initialiser as its default text), an alias template
// is a template whose target is the typedef.
//
// Messages (severity 3, "UNEXP_EOF" 2) carry the file and line of the last
// `#line` marker: "SYNTAXERR" with the text of the token where the parse
// failed (its last 59 characters when longer than 60); "UNEXP_EOF" at the
// end of the buffer; "REDEFSYMB", "REDEFSTRU", "CONSTRUCT", "FUNCT_DEF",
// "MODACCINC", "TEMPLADEC", "TEMINSINC". After a syntax error the parse
// resumes after the next `;` or `}` at the depth of the declaration; the
// declarations recorded stay. Nesting deeper than kMaxDeclarationNesting
// ends the analysis with "SYNTAXERR": the parser never runs out of stack.
#pragma once

#include <string_view>

#include "analyser/ast/context.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/message_hook.h"
#include "analyser/sema/decl_record.h"

namespace zenta::analyser {

constexpr int kMaxDeclarationNesting = 200;

struct DeclarationRequest {
  std::string_view buffer;
  int scope = kGlobalScope;  // the scope the declarations go to
  MessageHook hook = nullptr;
  DeclarationLog* log = nullptr;  // every new declaration, in order, when given
};

// Parses the whole buffer into `table`. Returns false when the analysis was
// ended early (nesting too deep).
bool analyseDeclarations(AstContext& ctx, SymbolTable& table, const DeclarationRequest& request);

}  // namespace zenta::analyser
