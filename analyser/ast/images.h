// Texts derived from the tables: the C image of a type (the declaration text
// the generated harness uses) and the identifier form of a declared name.
#pragma once

#include <string>
#include <string_view>

#include "analyser/ast/types.h"

namespace zenta::analyser {

class SymbolTable;

struct ImageOptions {
  // Scope the text is written for: names owned by another scope that does
  // not enclose it are qualified with `::` (unnamed namespaces left out).
  int requestingScope = 0;
  // The table whose scopes the type records refer to; without one, names
  // are written unqualified.
  const SymbolTable* table = nullptr;
  // `struct S` / `class S` / `union U` / `enum E` rather than the bare name.
  bool tagKeywords = false;
  // Bodies of complete structures, unions and enumerations (a declaration
  // that defines the type). Anonymous ones always show their body.
  bool definitions = false;
  // Parameter names in function declarators.
  bool parameterNames = true;
};

// The text of a declaration of `declarator` with that type: `int (*p)[10]`,
// `char *const q`, `void f(int a, ...) throw (E)`. Without a declarator, the
// abstract type (`int *`, `int (*)[10]`). A null type prints as `int`.
std::string typeImage(const Type* type, std::string_view declarator = {}, const ImageOptions& options = {});
// The name of a named type as written from the requesting scope, qualified
// when needed (`N::S`).
std::string qualifiedTypeName(const Type* type, const ImageOptions& options = {});
// The parameters of a function type, as in its declarator (without the
// parentheses).
std::string parameterListImage(const Type* function, const ImageOptions& options = {});

// The identifier form of a declared name: `operator+=` gives
// `operator_add_assign`, `~Stack` gives `destructor_Stack`, `A::f` gives
// `A__f`.
std::string identifierForm(std::string_view name);
// The word of an overloadable operator (`+=` gives `add_assign`), or null.
const char* operatorWord(std::string_view op);

}  // namespace zenta::analyser
