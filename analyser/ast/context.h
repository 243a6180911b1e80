// The state of the analyser's type tables for one analysis.
//
// An AstContext owns everything the type and symbol records need beyond the
// records themselves: the arena they come from, the caches that make shared
// records unique (base integers, floating types, pointer and reference
// levels, modified types, modifier chains), the built-in records, the list of
// type-modifier words, and the message hook with the reader's position. The
// declaration parser, the expression typer and the analyser interface are
// given the context of the run (the interface owns it); tests make their own.
//
// Every record is made by the constructors below and lives as long as the
// context; nothing is freed before. Records are reached from a Type* with the
// checked downcasts of types.h (dyn<StructuredType>(t), as<ArrayType>(t)).
//
//   AstContext ctx;
//   SymbolTable table(ctx);
//   StructuredType* s = ctx.structureType(internName("S"), false, kGlobalScope);
//   ctx.addMember(s, ctx.makeMember(internName("x"), ctx.pointerTo(ctx.integerType("int")), 0,
//                                    kGlobalScope, Access::Public));
//   table.declareTag(s->name, s, kGlobalScope);
//
// The target widths (target_widths.h) are process-wide: a change of them
// refreshes the base integer records of every live context.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analyser/ast/arena.h"
#include "analyser/ast/types.h"
#include "analyser/basic/message_hook.h"
#include "analyser/basic/names.h"

namespace zenta::analyser {

struct SymbolDetail;

class AstContext {
 public:
  // The ten parameter-mode words are registered; the built-in records are
  // made when first asked for, with the current target widths.
  AstContext();
  AstContext(const AstContext&) = delete;
  AstContext& operator=(const AstContext&) = delete;
  ~AstContext();

  // --- allocation ----------------------------------------------------------
  // The arena of the records, also for other data that must live as long as
  // they do. Type records are made by the constructors below (they choose
  // the record of the kind and share what must be shared); record lists
  // grow with push_back(arena(), x).
  Arena& arena() { return arena_; }
  // A copy of a text kept as long as the context.
  std::string_view copyText(std::string_view text) { return arena_.copyText(text); }
  // The stored chain equal to `chain` (equal chains share one array).
  ModifierChain internChain(ModifierChain chain);

  // --- messages ------------------------------------------------------------
  // Diagnostics of the tables go through one hook (severity 0 to 4, code,
  // argument, file, line); without one they are dropped. The position is the
  // one last set by the analyser's reader.
  void setMessageHook(MessageHook hook) { hook_ = hook; }
  MessageHook messageHook() const { return hook_; }
  void setPosition(const std::string& file, int line) {
    file_ = file;
    line_ = line;
  }
  void report(int severity, const char* code, const std::string& argument) const;

  // --- type constructors ---------------------------------------------------
  // A record of any kind (the record type of that kind), owned by `scope`;
  // details are filled by the caller.
  Type* makeType(TypeKind kind, int scope = 0);

  // Integer base type by its specifier words ("unsigned long", "char", "long
  // long int"). The width, signedness and char flag follow the words and the
  // target widths; equal names give the same record. A name that is not a
  // valid combination of integer words gives null.
  IntegerType* integerType(std::string_view words);
  // The built-in types: char, wchar_t, bool, short, int, signed, unsigned,
  // long; null for another name.
  IntegerType* builtinInteger(std::string_view name);
  // A record of its own with a fixed width and sign (the pragmas and the
  // target table do not change it).
  IntegerType* makeIntegerType(Name name, int signedWidth, bool charFlag);
  // The integer record for a value of that signed width and char flag
  // (typing constants): the first of char, unsigned char, short, unsigned
  // short, int, unsigned, long, unsigned long, long long, unsigned long long
  // whose record has them; otherwise a record of its own.
  IntegerType* integerTypeFor(int signedWidth, bool charFlag);
  FloatingType* floatingType(std::string_view name);  // float, double, long double
  Type* voidType();
  Type* ellipsisType();
  // The record of a base type keyword (integer words, float, double, void),
  // or null.
  Type* baseTypeForKeyword(std::string_view word);

  // Shared levels: the same arguments give the same record.
  PointerType* pointerTo(Type* target, ModifierChain modifiers = {});
  PointerType* memberPointerTo(Type* classType, Type* target, ModifierChain modifiers = {});
  ReferenceType* referenceTo(Type* target, ModifierChain modifiers = {});
  ModifiedType* modifiedType(Name modifier, Type* target);
  // const/volatile (or any modifier word) applied to a type: on a pointer or
  // reference level it joins the level's chain, otherwise it wraps the type.
  // Applying a word the type already has gives the type unchanged.
  Type* qualifiedType(Type* type, Name word);

  // One record per call. The dimension text is copied.
  ArrayType* arrayOf(Type* element);  // `x[]`
  ArrayType* arrayOf(Type* element, std::string_view dimensionText);
  ArrayType* arrayOf(Type* element, std::string_view dimensionText, std::int64_t value);

  EnumerationType* enumerationType(Name tag, int scope);
  void addEnumerator(EnumerationType* enumeration, Name name, std::int64_t value);

  StructuredType* structureType(Name tag, bool isClass, int scope);
  StructuredType* unionType(Name tag, int scope);
  void addBaseClass(StructuredType* structure, Type* base, Access access, bool isVirtual);
  // Appends a member symbol (made with makeMember).
  void addMember(StructuredType* structure, Symbol* member);
  void addFriend(StructuredType* structure, Name name);

  TypedefType* typedefType(Name name, Type* standsFor, int scope);

  FunctionType* functionType(Type* result);
  FunctionType* functionType(Type* result, const std::vector<Symbol*>& parameters);
  void addParameter(FunctionType* function, Symbol* parameter);  // ellipsis: type ellipsisType()
  void addException(FunctionType* function, Type* exception);    // also sets the list flag

  TemplateType* templateType(Name name, int scope);
  // The default text is copied.
  void addTemplateParameter(TemplateType* templ, const TemplateParameter& parameter);

  // Combining the specifiers of one declaration, left to right. Invalid
  // pairs report "CONSTRUCT" (severity 3, argument the combined text, names
  // qualified from the scopes of `table` when given) and give null; pairs
  // that cannot come from specifiers report "ERRINTERN" (severity 0). A null
  // operand gives the other one.
  Type* composeType(Type* a, Type* b, const SymbolTable* table = nullptr);

  // --- symbol entries ------------------------------------------------------
  // A new entry (not linked into any grid). Symbol tables make theirs here.
  Symbol* makeSymbol(Name name, Type* type, unsigned storage, int scope);
  // A member or parameter entry (not linked into any grid).
  Symbol* makeMember(Name name, Type* type, unsigned storage, int scope, Access access);
  Symbol* makeParameter(Name name, Type* type);
  // The default argument of a parameter (the text is copied; hasDefault is
  // set) and the stub block of a function.
  void setDefaultArgument(Symbol* parameter, std::string_view text);
  void setStubBlock(Symbol* function, Name block);

  // --- target width pragmas ------------------------------------------------
  // NAME is first looked up in `table` (when given) as a typedef leading to
  // an integer base record (whose own width or sign is then set); otherwise
  // its first letter chooses: c char, s short, i int, l long (long long when
  // the fifth letter is also l). Returns false when NAME matches nothing or
  // the width is not in 1..64; nothing is changed then.
  bool applySizeofPragma(std::string_view name, int bits, const SymbolTable* table);
  bool applySignofPragma(std::string_view name, bool isUnsigned, const SymbolTable* table);

  // --- type modifier list --------------------------------------------------
  // The ten parameter-mode words first (index 0 to 9: _in _IN _out _OUT
  // _inout _INOUT _no _NO _nocheck _NOCHECK), then the words registered by
  // `#pragma zenta type_modifier`.
  // Adds a word unless present; returns its index.
  int registerTypeModifier(std::string_view word);
  // Index of a word in the list, or -1.
  int typeModifierIndex(Name word);
  int typeModifierIndex(std::string_view word);
  bool isTypeModifier(Name word) { return typeModifierIndex(word) >= 0; }
  bool isTypeModifier(std::string_view word) { return typeModifierIndex(word) >= 0; }
  // A further source of modifier words (the preprocessor's list of
  // `#pragma zenta type_modifier` names): a word it knows is added to the
  // list when first asked for. Null removes it.
  void setTypeModifierSource(bool (*isModifier)(const std::string& word)) { modifierSource_ = isModifier; }
  const std::vector<Name>& typeModifiers() const { return modifierWords_; }

  // --- parameter modes -----------------------------------------------------
  // The index of the mode word found (0/1 in, 2/3 out, 4/5 in-out, 6/7 no),
  // or kNoModeIndex when the type carries none. Looks through pointers,
  // arrays, functions (their result) and references, each level's modifier
  // chain first, then kind-11 records. With `remove` the type is replaced by
  // one without the mode word (shared records are not changed).
  int parameterMode(Type*& type, bool remove);
  int parameterMode(const Type* type) const;

 private:
  struct LevelKey {
    TypeKind kind;
    const Type* classType;
    const Type* target;
    const Name* chain;  // interned
    bool operator==(const LevelKey&) const = default;
  };
  struct LevelHash {
    std::size_t operator()(const LevelKey& k) const noexcept;
  };
  struct PairHash {
    std::size_t operator()(const std::pair<const void*, const Type*>& k) const noexcept;
  };

  template <class T>
  T* newRecord(TypeKind kind, int scope) {
    return arena_.make<T>(kind, scope);
  }
  Type* copyType(const Type* type);
  template <class T>
  T* levelType(TypeKind kind, Type* classType, Type* target, ModifierChain modifiers);
  Type* relevel(const Type* level, Type* target, ModifierChain chain);
  Type* withoutMode(Type* type, bool& found, int depth);
  int modeIndexOfName(Name name) const;
  int findMode(const Type* type) const;
  SymbolDetail* detailOf(Symbol* symbol);
  friend void refreshContextIntegers();
  void refreshIntegers();

  Arena arena_;
  std::map<std::string, IntegerType*, std::less<>> integers_;
  std::map<std::string, FloatingType*, std::less<>> floatings_;
  std::unordered_map<LevelKey, DerivedType*, LevelHash> levels_;  // pointers, member pointers, references
  std::unordered_map<std::pair<const void*, const Type*>, ModifiedType*, PairHash> modified_;
  std::map<std::vector<const void*>, const Name*> chains_;
  std::map<std::pair<int, bool>, IntegerType*> ownIntegers_;  // integerTypeFor
  Type* void_ = nullptr;
  Type* ellipsis_ = nullptr;

  std::vector<Name> modifierWords_;
  std::unordered_map<Name, int> modifierIndex_;
  bool (*modifierSource_)(const std::string&) = nullptr;

  MessageHook hook_ = nullptr;
  std::string file_;
  int line_ = 0;
};

}  // namespace zenta::analyser
