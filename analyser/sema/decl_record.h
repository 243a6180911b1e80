// Recording the declarations of analysed headers in the symbol tables.
//
// The declaration parser hands every completed declaration to a
// DeclarationRecorder, which enters it in the table of the run and applies
// the redeclaration rules:
//  - a function declared again with the same parameters merges with the
//    earlier entry (a body marks it defined and moves its file to the
//    definition); other parameters make an overload; the same parameters
//    with another result are "REDEFSYMB";
//  - an object declared again with a compatible type merges (`extern int
//    t[]; int t[10];` keeps the dimension), a repeated typedef of the same
//    type merges; anything else under the same name in the same scope is
//    "REDEFSYMB" ("%1Symbol %2 redefined") and the new declaration is dropped;
//  - a structure, class, union or enumeration defined twice in one scope is
//    "REDEFSTRU" ("%1Structure or union data type %2 redefined"); a forward
//    declaration is completed by the definition that follows.
// Every new entry is also appended to an optional DeclarationLog, in
// declaration order, for the dump of zentacpp -dump.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "analyser/ast/context.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/message_hook.h"

namespace zenta::analyser {

enum class DeclKind : std::uint8_t {
  Variable, Function, Typedef, Struct, Class, Union, Enum, Enumerator, Namespace, Field, Method, Template
};

// One recorded declaration: its kind, name, the scope it is declared in,
// its type and storage bits (enumerators: their value).
struct DeclaredItem {
  DeclKind kind = DeclKind::Variable;
  Name name;
  int scope = kGlobalScope;
  const Type* type = nullptr;
  unsigned storage = 0;
  std::int64_t value = 0;
};
using DeclarationLog = std::vector<DeclaredItem>;

// A declaration ready to be entered.
struct NewDeclaration {
  Name name;
  Type* type = nullptr;
  unsigned storage = 0;
  int scope = kGlobalScope;
  // Members of a class: the class (its member list gets the entry) and the
  // access in force.
  StructuredType* memberOf = nullptr;
  Access access = Access::Public;
  bool definition = false;  // a function body was seen
  Name file;
  int line = 0;
};

class DeclarationRecorder {
 public:
  DeclarationRecorder(AstContext& ctx, SymbolTable& table, DeclarationLog* log) : ctx_(ctx), table_(table), log_(log) {}

  // Messages go to this hook with the position given.
  void setHook(MessageHook hook) { hook_ = hook; }
  void setPosition(Name file, int line) {
    file_ = file;
    line_ = line;
  }
  void report(int severity, const char* code, const std::string& argument) const;

  // An ordinary identifier (object, function, typedef name, member). The
  // entry made or merged with, or null when the declaration is refused.
  Symbol* declare(const NewDeclaration& d);
  // An enumerator of `enumeration` in `scope`.
  Symbol* declareEnumerator(Name name, EnumerationType* enumeration, std::int64_t value, int scope,
                            StructuredType* memberOf, Name file, int line);
  // The record of a tag in `scope` for a use (`struct S *p;`, `struct S;`)
  // or a definition. A use finds the tag visible from the scope (`declareHere`
  // asks for one of this scope only) and declares a new incomplete one when
  // there is none. A definition of a tag already complete in the scope is
  // "REDEFSTRU": a fresh record, entered nowhere, is given so that its body
  // can still be read. `kind` is Structure, Union or Enumeration.
  TagType* tag(TypeKind kind, Name name, bool isClass, int scope, bool definition, bool declareHere, Name file,
               int line);
  // A class template: its record in `scope`, made (and its tag entered) when
  // new. `fresh` tells whether it was made now.
  TemplateType* templateTag(Name name, int scope, Name file, int line, bool& fresh);
  // A namespace `name` of `scope` opened as scope `opened`.
  void namespaceOpened(Name name, int scope, int opened);
  // A declaration logged without an entry of its own (function templates
  // are entered by declare; this is for records the parser makes itself).
  void log(DeclKind kind, Name name, int scope, const Type* type, unsigned storage, std::int64_t value = 0);

 private:
  bool mergeInto(Symbol* old, const NewDeclaration& d);

  AstContext& ctx_;
  SymbolTable& table_;
  DeclarationLog* log_;
  std::unordered_set<int> loggedNamespaces_;
  MessageHook hook_ = nullptr;
  Name file_;
  int line_ = 0;
};

// The dump of recorded declarations: one line per item, tab-separated:
// kind, qualified name (scopes joined by `::`), arity (the number of
// parameters of a function or method, `0` for `(void)`, a trailing `+` when
// it ends with `...`; `-` for other kinds) and the image of the declaration.
std::string dumpDeclaration(const DeclaredItem& item, const SymbolTable& table);
std::string dumpDeclarations(const DeclarationLog& log, const SymbolTable& table);
const char* declKindWord(DeclKind kind);

}  // namespace zenta::analyser
