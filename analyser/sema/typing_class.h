// The type class of a type: how the harness tests a value of it.
//
//   class  word                          C type text
//   0      "entier"                      signed non-char integers, enumerations
//                                        (scoped ones too; "unsigned" when
//                                        their underlying type is), void
//                                        ("void")
//   0      "unsigned"                    unsigned integers, char-like or not
//   1      "booleen"                     bool (C++11 dialects and later)
//   2      "caractere"                   signed char-like integers
//   3      "float" "double" "longdouble" floating types
//   4      "chaine"                      "char *" for a pointer to a char-like
//                                        type; none for an array of one
//   6      "pointeur"                    other pointers and arrays (their
//                                        image; "void *" without a pointed
//                                        type), functions (their result type)
//   8      (none)                        structures, classes, unions,
//                                        templates, anything else, no type
//   10     "chaine"                      std::string and std::string_view
//                                        (C++11 dialects and later, with a
//                                        table): tested by their characters
//
// Typedefs, named modifiers and references are looked through for the class.
// A typedef keeps its own name as C type text (`BYTE`); a modifier or a
// reference gives the text of the type it applies to.
#pragma once

#include <string>

#include "analyser/ast/types.h"

namespace zenta::analyser {

class SymbolTable;

struct TypeClass {
  int value = 8;
  std::string word;    // empty when none
  std::string cType;   // empty when none or not asked for
  bool hasCType = false;
  // Integer base types: the signed width of the record (negative when
  // signed); any other type: the signed width of int.
  int size = 0;
  // A scoped enumeration (`enum class`): no integer converts to it
  // implicitly, so its initial values are converted explicitly.
  bool scopedEnumeration = false;
};

// `withCType` asks for the C type text; `table` and `scope` qualify the
// names in it as seen from the scope. Standard strings are recognised only
// with a table.
TypeClass typeClassOf(const Type* type, bool withCType = true, const SymbolTable* table = nullptr,
                      int scope = 0);

// The class word of a floating type image: "double" when it begins with `d`,
// "longdouble" with `l`, "float" otherwise.
const char* floatingClassWord(const std::string& image);

}  // namespace zenta::analyser
