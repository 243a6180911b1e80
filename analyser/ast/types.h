// The analyser's model of C and C++ types.
//
// One Type record per type. Records are created by the constructors below and
// live for the whole run. Records of the derived kinds that carry no data of
// their own (base integers by name, floating types, pointers, references,
// modified types, member pointers) are shared: asking twice for the same type
// gives the same record, so they must never be changed once made. Records of
// structures, unions, enumerations, functions, arrays, typedefs and templates
// are made one per declaration and filled by the declaration parser until the
// declaration is complete.
//
// const and volatile are named modifiers: in front of a type they make a
// kind-11 record ("const" applied to int prints `const int`), on a pointer or
// reference level they sit in that level's modifier chain (`char * const`).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analyser/basic/message_hook.h"
#include "analyser/basic/names.h"

namespace zenta::analyser {

struct Symbol;
class SymbolTable;

enum class TypeKind : int {
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
  std::string defaultText;   // default argument as written, may be empty
};

struct Type {
  TypeKind kind = TypeKind::Void;
  int scope = 0;                 // scope that owns the type (qualified names)
  std::vector<Name> modifiers;   // modifier chain, printed after the type name
  mutable bool printing = false;  // set while the image is being built

  // Integer, floating: the base name ("unsigned long", "long double").
  // Enumeration, union, structure, template: the tag (empty if anonymous).
  // Typedef: the typedef name. Modified: the modifier word.
  Name name;

  // Integer: width in bits, negative for a signed type; char flag.
  int signedWidth = 0;
  bool charFlag = false;
  bool widthPinned = false;  // width set for this record by a pragma
  bool signPinned = false;   // signedness set for this record by a pragma

  // Pointer: pointed type. Array: element. Typedef: the type it stands for.
  // Function: result. Modified: the type modified. Reference: referenced.
  // Template: the templated declaration's type.
  Type* target = nullptr;

  // Pointer to member: the class (`int C::*`); null for an ordinary pointer.
  Type* memberOf = nullptr;

  // Array: dimension text as written and its constant value when it is one.
  bool hasDimension = false;
  std::string dimensionText;
  bool dimensionIsConstant = false;
  std::int64_t dimensionValue = 0;

  // Enumeration.
  std::vector<Enumerator> enumerators;

  // Union, structure: members in declaration order; union: selected member
  // (1-based, 0 when none). Structure: `class` or `struct`, bases, friends.
  std::vector<Symbol*> members;
  int selectedMember = 0;
  bool isClass = false;
  std::vector<BaseClass> bases;
  std::vector<Name> friends;
  int memberScope = 0;     // scope of the body (structures, unions)
  bool complete = false;   // body seen
  bool openAccess = false;  // the harness may reach every member

  // Function: parameters (symbols with name, type, default flag), exception
  // list, const method flag.
  std::vector<Symbol*> parameters;
  bool hasExceptionList = false;
  std::vector<Type*> exceptions;
  bool constMethod = false;

  // Template.
  std::vector<TemplateParameter> templateParameters;
  Symbol* templated = nullptr;

  bool isStructured() const {
    return kind == TypeKind::Structure || kind == TypeKind::Union;
  }
};

// ---------------------------------------------------------------------------
// Messages. Diagnostics of the tables go through one hook (severity 0 to 4,
// code, argument, file, line); without one they are dropped. The position is
// the one last set by the analyser's reader.
void setTablesMessageHook(MessageHook hook);
MessageHook tablesMessageHook();
void setTablesPosition(const std::string& file, int line);
void tablesReport(int severity, const char* code, const std::string& argument);

// ---------------------------------------------------------------------------
// Constructors.

// A record of any kind, owned by `scope`; details are filled by the caller.
Type* makeType(TypeKind kind, int scope = 0);

// Integer base type by its specifier words ("unsigned long", "char", "long
// long int"). The width, signedness and char flag follow the words and the
// target widths; equal names give the same record. A name that is not a
// valid combination of integer words gives null.
Type* integerType(std::string_view words);
// The built-in types: char, wchar_t, bool, short, int, signed, unsigned, long.
Type* builtinInteger(std::string_view name);
// A record of its own with a fixed width and sign (the pragmas and the target
// table do not change it).
Type* makeIntegerType(Name name, int signedWidth, bool charFlag);
// The integer record for a value of that signed width and char flag (typing
// constants): the first of char, unsigned char, short, unsigned short, int,
// unsigned, long, unsigned long, long long, unsigned long long whose record
// has them; otherwise a record of its own.
Type* integerTypeFor(int signedWidth, bool charFlag);
Type* floatingType(std::string_view name);  // float, double, long double
Type* voidType();
Type* ellipsisType();
// The record of a base type keyword (integer words, float, double, void), or
// null.
Type* baseTypeForKeyword(std::string_view word);

Type* pointerTo(Type* target, const std::vector<Name>& modifiers = {});
Type* memberPointerTo(Type* classType, Type* target, const std::vector<Name>& modifiers = {});
Type* referenceTo(Type* target, const std::vector<Name>& modifiers = {});
Type* modifiedType(Name modifier, Type* target);
// const/volatile (or any modifier word) applied to a type: on a pointer or
// reference level it joins the level's chain, otherwise it wraps the type.
// Applying a word the type already has gives the type unchanged.
Type* qualifiedType(Type* type, Name word);

Type* arrayOf(Type* element);  // `x[]`
Type* arrayOf(Type* element, const std::string& dimensionText);
Type* arrayOf(Type* element, const std::string& dimensionText, std::int64_t value);

Type* enumerationType(Name tag, int scope);
void addEnumerator(Type* enumeration, Name name, std::int64_t value);

Type* structureType(Name tag, bool isClass, int scope);
Type* unionType(Name tag, int scope);
void addBaseClass(Type* structure, Type* base, Access access, bool isVirtual);
// Appends a member symbol (made with makeMember, symbols.h).
void addMember(Type* structure, Symbol* member);
void addFriend(Type* structure, Name name);
// The default access of a member: private in a class, public otherwise.
Access defaultAccess(const Type* structure);

Type* typedefType(Name name, Type* standsFor, int scope);

Type* functionType(Type* result);
Type* functionType(Type* result, const std::vector<Symbol*>& parameters);
void addParameter(Type* function, Symbol* parameter);  // ellipsis: type ellipsisType()
void addException(Type* function, Type* exception);    // also sets the list flag

Type* templateType(Name name, int scope);
void addTemplateParameter(Type* templ, const TemplateParameter& parameter);

// ---------------------------------------------------------------------------
// Combining the specifiers of one declaration, left to right. Invalid pairs
// report "CONSTRUCT" (severity 3, argument the combined text) and give null;
// pairs that cannot come from specifiers report "ERRINTERN" (severity 0). A
// null operand gives the other one.
Type* composeType(Type* a, Type* b);

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
Type* integerBase(Type* type);
// Char-like: an integer base record with the char flag, through typedefs and
// modifiers.
bool isCharLike(const Type* type);
bool isSignedInteger(const Type* type);
int integerWidth(const Type* type);  // magnitude in bits, 0 if not integer

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

// ---------------------------------------------------------------------------
// Target widths pragmas. NAME is first looked up as a typedef leading to an
// integer base record (whose own width or sign is then set); otherwise its
// first letter chooses: c char, s short, i int, l long (long long when the
// fifth letter is also l). Returns false when NAME matches nothing or the
// width is not in 1..64; nothing is changed then.
bool applySizeofPragma(std::string_view name, int bits, const SymbolTable* table = nullptr);
bool applySignofPragma(std::string_view name, bool isUnsigned, const SymbolTable* table = nullptr);

// ---------------------------------------------------------------------------
// Type modifier list: the ten parameter-mode words first (index 0 to 9:
// _in _IN _out _OUT _inout _INOUT _no _NO _nocheck _NOCHECK), then the words
// registered by `#pragma zenta type_modifier`.
void registerModeWords();
// Adds a word unless present; returns its index.
int registerTypeModifier(std::string_view word);
// Index of a word in the list, or -1.
int typeModifierIndex(std::string_view word);
bool isTypeModifier(std::string_view word);
// A further source of modifier words (the preprocessor's list of
// `#pragma zenta type_modifier` names): a word it knows is added to the list
// when first asked for. Null removes it.
void setTypeModifierSource(bool (*isModifier)(const std::string& word));
const std::vector<Name>& typeModifiers();

// Parameter modes: the index of the mode word found (0/1 in, 2/3 out, 4/5
// in-out, 6/7 no), or 8 when the type carries none.
enum ParameterMode : int { ModeIn = 0, ModeOut = 1, ModeInOut = 2, ModeNo = 3, ModeNone = 4 };
constexpr int kNoModeIndex = 8;
// Looks through pointers, arrays, functions (their result) and references,
// each level's modifier chain first, then kind-11 records. With `remove` the
// type is replaced by one without the mode word.
int parameterMode(Type*& type, bool remove);
int parameterMode(const Type* type);
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
// The member of a structure or union (typedefs and modifiers looked
// through) named `name`: its own members first, then those of its base
// classes in order; null when none.
Symbol* findMember(const Type* structure, Name name);
bool memberReachable(const Type* structure, const Symbol* member);
std::vector<Symbol*> reachableFields(const Type* structure);
int countTestable(const Type* type);

// Releases the caches and recreates the built-in records with the current
// target widths; registered modifiers are cleared. For tests.
void resetTypeTablesForTests();

}  // namespace zenta::analyser
