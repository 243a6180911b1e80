// Types of the standard library that the harness tests by value rather than
// member by member: the character strings `std::string` and
// `std::string_view`, found as the instances `basic_string<char, ...>` and
// `basic_string_view<char, ...>` of namespace std, inline namespaces
// (`std::__cxx11`) looked through.
//
// They are recognised in the C++11 dialects and later; the classic language
// tests every class member by member.
#pragma once

#include "analyser/ast/types.h"

namespace zenta::analyser {

class SymbolTable;

enum class StandardString { None, String, View };

// The kind of standard character string a type is, typedefs, modifiers and
// references looked through.
StandardString standardString(const Type* type, const SymbolTable& table);

// Whether a scope is namespace std itself or an inline namespace of it, at
// any depth.
bool isStandardNamespace(int scope, const SymbolTable& table);

}  // namespace zenta::analyser
