// The analyser's model of C and C++ types.
//
// One record per type. Every record starts with the common part `Type`
// (kind, owning scope, modifier chain, print flag, name); the detail of each
// kind family is a record of its own that extends it:
//
//   kind                      record           detail
//   Integer                   IntegerType      signed width, char flag
//   Floating                  FloatingType     (name only)
//   Void, Ellipsis            Type             none
//   Pointer (and to member)   PointerType      target, class of a member pointer
//   Reference                 ReferenceType    target
//   Array                     ArrayType        element (target), dimension
//   Typedef                   TypedefType      the type it stands for (target)
//   Function                  FunctionType     result (target), parameters,
//                                              exception list, const method
//   Modified                  ModifiedType     the type modified (target)
//   Template                  TemplateType     templated type (target),
//                                              parameters, templated symbol
//   Enumeration               EnumerationType  enumerators
//   Structure, Union          StructuredType   members, bases, friends ...
//
// DerivedType is the part shared by the kinds built on another type (its
// `target`); TagType the part shared by enumerations, structures and unions.
// A record is reached from a `Type*` by a checked downcast:
//   dyn<ArrayType>(t)  the array record, or null when t is not an array;
//   as<ArrayType>(t)   the array record; t must be one (checked: a wrong kind
//                      stops the program with a message).
//
// Records are created by the constructors of the context (AstContext,
// context.h), from its arena, and live as long as it. Records of the derived kinds that carry no data of their own
// (base integers by name, floating types, pointers, references, modified
// types, member pointers) are shared: asking twice for the same type gives
// the same record, so they must never be changed once made. Records of
// structures, unions, enumerations, functions, arrays, typedefs and templates
// are made one per declaration and filled by the declaration parser until the
// declaration is complete.
//
// const and volatile are named modifiers: in front of a type they make a
// kind-11 record ("const" applied to int prints `const int`), on a pointer or
// reference level they sit in that level's modifier chain (`char * const`).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "analyser/ast/arena.h"
#include "analyser/basic/names.h"

namespace zenta::analyser {

struct Symbol;
class SymbolTable;

enum class TypeKind : std::uint8_t {
  Integer = 0,
  Floating = 1,
  Pointer = 3,
  Array = 4,
  Enumeration = 5,
  Union = 6,
  Typedef = 7,
  Function = 8,
  Void = 9,
  Structure = 10,
  Modified = 11,
  Reference = 12,
  Ellipsis = 13,
  Template = 14,
};

enum class Access : int { Public = 0, Protected = 1, Private = 2 };

// A modifier chain: the words printed after a type name or a pointer level
// (`char * const`). A view: the records hold chains interned by the tables
// (equal chains share their storage), so a chain built from a braced list or
// a vector is only valid while that list lives.
class ModifierChain {
 public:
  ModifierChain() = default;
  ModifierChain(const Name* data, std::size_t size) : data_(data), size_(static_cast<std::uint32_t>(size)) {}
  ModifierChain(std::initializer_list<Name> words) : ModifierChain(words.begin(), words.size()) {}
  ModifierChain(const std::vector<Name>& words) : data_(words.data()), size_(static_cast<std::uint32_t>(words.size())) {}

  const Name* begin() const { return data_; }
  const Name* end() const { return data_ + size_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  Name operator[](std::size_t i) const { return data_[i]; }
  const Name* data() const { return data_; }

  friend bool operator==(ModifierChain a, ModifierChain b) {
    if (a.size_ != b.size_) return false;
    for (std::uint32_t i = 0; i < a.size_; ++i)
      if (a.data_[i] != b.data_[i]) return false;
    return true;
  }

 private:
  const Name* data_ = nullptr;
  std::uint32_t size_ = 0;
};

struct Enumerator {
  Name name;
  std::int64_t value = 0;
};

struct BaseClass {
  struct Type* type = nullptr;  // a structure (or a typedef of one)
  Access access = Access::Public;
  bool isVirtual = false;
};

enum class TemplateParameterKind : int { Type = 0, Value = 1, Template = 2 };

struct TemplateParameter {
  TemplateParameterKind kind = TemplateParameterKind::Type;
  Name name;                 // may be empty
  bool typenameWord = false;  // written `typename` instead of `class`
  struct Type* valueType = nullptr;  // for a value parameter
  std::string_view defaultText;  // default argument as written, may be empty
  bool pack = false;  // a parameter pack (`class... Ts`): any number of arguments
};

// The common part of every record.
struct Type {
  Type(TypeKind k, int owner) : kind(k), scope(owner) {}

  TypeKind kind;
  mutable bool printing = false;  // set while the image is being built
  int scope = 0;                  // scope that owns the type (qualified names)
  ModifierChain modifiers;        // printed after the type name
  // Integer, floating: the base name ("unsigned long", "long double").
  // Enumeration, union, structure, template: the tag (empty if anonymous).
  // Typedef: the typedef name. Modified: the modifier word.
  Name name;

  bool isStructured() const { return kind == TypeKind::Structure || kind == TypeKind::Union; }
  static bool classof(TypeKind) { return true; }
};

struct IntegerType : Type {
  using Type::Type;
  int signedWidth = 0;       // width in bits, negative for a signed type
  bool charFlag = false;
  bool widthPinned = false;  // width set for this record by a pragma
  bool signPinned = false;   // signedness set for this record by a pragma
  static bool classof(TypeKind k) { return k == TypeKind::Integer; }
};

struct FloatingType : Type {
  using Type::Type;
  static bool classof(TypeKind k) { return k == TypeKind::Floating; }
};

// A type built on another one.
struct DerivedType : Type {
  using Type::Type;
  // Pointer: pointed type. Reference: referenced. Array: element. Typedef:
  // the type it stands for. Function: result. Modified: the type modified.
  // Template: the templated declaration's type.
  Type* target = nullptr;
  static bool classof(TypeKind k) {
    switch (k) {
      case TypeKind::Pointer: case TypeKind::Reference: case TypeKind::Array: case TypeKind::Typedef:
      case TypeKind::Function: case TypeKind::Modified: case TypeKind::Template:
        return true;
      default:
        return false;
    }
  }
};

struct PointerType : DerivedType {
  using DerivedType::DerivedType;
  Type* memberOf = nullptr;  // pointer to member: the class (`int C::*`)
  static bool classof(TypeKind k) { return k == TypeKind::Pointer; }
};

struct ReferenceType : DerivedType {
  using DerivedType::DerivedType;
  static bool classof(TypeKind k) { return k == TypeKind::Reference; }
};

struct ArrayType : DerivedType {
  using DerivedType::DerivedType;
  // Dimension text as written and its constant value when it is one.
  bool hasDimension = false;
  bool dimensionIsConstant = false;
  std::string_view dimensionText;
  std::int64_t dimensionValue = 0;
  static bool classof(TypeKind k) { return k == TypeKind::Array; }
};

struct TypedefType : DerivedType {
  using DerivedType::DerivedType;
  static bool classof(TypeKind k) { return k == TypeKind::Typedef; }
};

struct ModifiedType : DerivedType {
  using DerivedType::DerivedType;
  static bool classof(TypeKind k) { return k == TypeKind::Modified; }
};

struct FunctionType : DerivedType {
  using DerivedType::DerivedType;
  // Parameters: symbols with name, type, default flag; an ellipsis is a
  // parameter of type ellipsisType().
  ArenaVector<Symbol*> parameters;
  ArenaVector<Type*> exceptions;
  bool hasExceptionList = false;
  bool constMethod = false;
  // C++11 on: a member function's ref-qualifier, 0 none, 1 `&`, 2 `&&`
  // (overloads may differ in it alone).
  std::uint8_t refQualifier = 0;
  // C++20: a trailing requires-clause; overloads may differ in it alone.
  bool constrained = false;
  static bool classof(TypeKind k) { return k == TypeKind::Function; }
};

struct TemplateType : DerivedType {
  using DerivedType::DerivedType;
  ArenaVector<TemplateParameter> templateParameters;
  Symbol* templated = nullptr;
  static bool classof(TypeKind k) { return k == TypeKind::Template; }
};

// Enumerations, structures and unions.
struct TagType : Type {
  using Type::Type;
  bool complete = false;  // body seen
  static bool classof(TypeKind k) {
    return k == TypeKind::Enumeration || k == TypeKind::Structure || k == TypeKind::Union;
  }
};

struct EnumerationType : TagType {
  using TagType::TagType;
  ArenaVector<Enumerator> enumerators;
  // C++11 on: `enum class` / `enum struct` (its enumerators are named
  // through it, in its own scope `memberScope`), and the underlying type
  // written after `:` (null when none is written).
  bool scoped = false;
  Type* underlying = nullptr;
  int memberScope = 0;
  static bool classof(TypeKind k) { return k == TypeKind::Enumeration; }
};

// Structures, classes and unions.
struct StructuredType : TagType {
  using TagType::TagType;
  ArenaVector<Symbol*> members;  // declaration order
  ArenaVector<BaseClass> bases;
  ArenaVector<Name> friends;
  int selectedMember = 0;  // union: selected member, 1-based, 0 when none
  int memberScope = 0;     // scope of the body
  bool isClass = false;    // `class` rather than `struct`
  bool openAccess = false;  // the harness may reach every member
  static bool classof(TypeKind k) { return k == TypeKind::Structure || k == TypeKind::Union; }
};

// Checked downcasts.
[[noreturn]] void badTypeDowncast(const Type* type);

template <class T>
T* dyn(Type* type) {
  return type != nullptr && T::classof(type->kind) ? static_cast<T*>(type) : nullptr;
}
template <class T>
const T* dyn(const Type* type) {
  return type != nullptr && T::classof(type->kind) ? static_cast<const T*>(type) : nullptr;
}
template <class T>
T* as(Type* type) {
  if (type == nullptr || !T::classof(type->kind)) badTypeDowncast(type);
  return static_cast<T*>(type);
}
template <class T>
const T* as(const Type* type) {
  if (type == nullptr || !T::classof(type->kind)) badTypeDowncast(type);
  return static_cast<const T*>(type);
}

// The type a record is built on (DerivedType::target), null for the other
// kinds.
inline Type* targetOf(const Type* type) {
  const DerivedType* d = dyn<DerivedType>(type);
  return d ? d->target : nullptr;
}

// Access of a member declared without a label: private in a class, public
// otherwise.
Access defaultAccess(const Type* structure);

// ---------------------------------------------------------------------------
// Looking through.

// Typedefs and modified types skipped.
const Type* stripTypedefsAndModifiers(const Type* type);
Type* stripTypedefsAndModifiers(Type* type);
// Also references.
const Type* stripAll(const Type* type);
Type* stripAll(Type* type);
// The integer base record a type leads to through typedefs and modifiers, or
// null.
IntegerType* integerBase(Type* type);
// Char-like: an integer base record with the char flag, through typedefs and
// modifiers.
bool isCharLike(const Type* type);
bool isSignedInteger(const Type* type);
int integerWidth(const Type* type);  // magnitude in bits, 0 if not integer

// Placeholder types: `auto`, `decltype(auto)` and `decltype (e)` as the
// declaration parser records them, a typedef of that text standing for an
// incomplete structure of the same name. The text of the placeholder a type
// is (modifiers looked through), or that its pointer and reference levels
// lead to when `throughLevels`; empty when none.
std::string_view placeholderText(const Type* type, bool throughLevels = false);

// ---------------------------------------------------------------------------
// Comparing types (redeclarations, overloads). Typedefs are looked through;
// const, volatile and other modifiers count. Integer types compare by what
// they denote (`long unsigned int` is `unsigned long`, `signed` is `int`);
// structures, unions and enumerations by record, or by kind, tag and scope.
bool sameType(const Type* a, const Type* b);
// As sameType, except that an array without a dimension matches any
// dimension and a function declared without parameters matches any list
// (`extern int t[];` then `int t[10];`).
bool compatibleTypes(const Type* a, const Type* b);
// The canonical words of an integer record ("unsigned long", "signed char",
// "int"); empty for another kind.
std::string canonicalIntegerName(const Type* integer);

// Parameter modes (AstContext::parameterMode finds the index of the mode
// word of a type: 0/1 in, 2/3 out, 4/5 in-out, 6/7 no, 8 none).
enum ParameterMode : int { ModeIn = 0, ModeOut = 1, ModeInOut = 2, ModeNo = 3, ModeNone = 4 };
constexpr int kNoModeIndex = 8;
ParameterMode modeOfIndex(int index);
// Whether a modifier word (`_nocheck`, `_NOCHECK`, a registered word, const)
// appears on the type, looking through the same levels as the mode lookup.
bool typeHasModifier(const Type* type, std::string_view word);

// ---------------------------------------------------------------------------
// Storage classes and specifiers (bit set on a declaration).
enum StorageBits : unsigned {
  StTypedef = 0x1,
  StExtern = 0x2,
  StStatic = 0x4,
  StAuto = 0x8,
  StRegister = 0x10,
  StFriend = 0x20,
  StOverload = 0x40,
  StInline = 0x80,
  StVirtual = 0x100,
  StExport = 0x200,
  StExplicit = 0x400,
  StMutable = 0x800,
};
// The bit of a storage-class word, 0 when the word is not one.
unsigned storageBitOfWord(std::string_view word);
// The words of the set bits in image order, each followed by a blank.
std::string storageImage(unsigned storage);

// ---------------------------------------------------------------------------
// Testable components: a member the harness can reach, the reachable fields
// of a structure (public bases first, then its own data members), and the
// count of elementary components of a type (999 nesting levels at most).
// With a table, a standard string (standard_types.h) is one component.
// The member of a structure or union (typedefs and modifiers looked
// through) named `name`: its own members first, then those of its base
// classes in order; null when none.
Symbol* findMember(const Type* structure, Name name);
bool memberReachable(const Type* structure, const Symbol* member);
std::vector<Symbol*> reachableFields(const Type* structure);
int countTestable(const Type* type, const SymbolTable* table = nullptr);

}  // namespace zenta::analyser
