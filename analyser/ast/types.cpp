#include "analyser/ast/types.h"

#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>

#include "analyser/ast/images.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/target_widths.h"

namespace zenta::analyser {
namespace {

// ---------------------------------------------------------------------------
// Storage of the records: nothing is freed during the run.

std::vector<std::unique_ptr<Type>>& arena() {
  static std::vector<std::unique_ptr<Type>> records;
  return records;
}

Type* newType(TypeKind kind, int scope) {
  arena().push_back(std::make_unique<Type>());
  Type* t = arena().back().get();
  t->kind = kind;
  t->scope = scope;
  return t;
}

Type* copyType(const Type* t) {
  arena().push_back(std::make_unique<Type>(*t));
  Type* c = arena().back().get();
  c->printing = false;
  return c;
}

using LevelKey = std::tuple<int, const Type*, const Type*, std::vector<const void*>>;

struct Caches {
  std::map<std::string, Type*, std::less<>> integers;
  std::map<std::string, Type*, std::less<>> floatings;
  std::map<LevelKey, Type*> levels;  // pointers, member pointers, references
  std::map<std::pair<const void*, const Type*>, Type*> modified;
  Type* voidRecord = nullptr;
  Type* ellipsisRecord = nullptr;
};

Caches& caches() {
  static Caches c;
  return c;
}

std::vector<const void*> chainKey(const std::vector<Name>& chain) {
  std::vector<const void*> key;
  key.reserve(chain.size());
  for (Name n : chain) key.push_back(n.identity());
  return key;
}

// ---------------------------------------------------------------------------
// Messages.

MessageHook g_hook = nullptr;
bool (*g_modifierSource)(const std::string&) = nullptr;
std::string g_file;
int g_line = 0;

// ---------------------------------------------------------------------------
// Integer specifier words.

struct IntegerWords {
  int isSigned = 0, isUnsigned = 0, chars = 0, wchars = 0, bools = 0, shorts = 0, ints = 0, longs = 0;
  int count = 0;
};

bool splitIntegerWords(std::string_view words, IntegerWords& w) {
  std::size_t i = 0;
  while (i < words.size()) {
    while (i < words.size() && words[i] == ' ') ++i;
    std::size_t j = i;
    while (j < words.size() && words[j] != ' ') ++j;
    if (j == i) break;
    std::string_view word = words.substr(i, j - i);
    if (word == "signed") ++w.isSigned;
    else if (word == "unsigned") ++w.isUnsigned;
    else if (word == "char") ++w.chars;
    else if (word == "wchar_t") ++w.wchars;
    else if (word == "bool") ++w.bools;
    else if (word == "short") ++w.shorts;
    else if (word == "int") ++w.ints;
    else if (word == "long") ++w.longs;
    else return false;
    ++w.count;
    i = j;
  }
  if (w.count == 0) return false;
  const int sign = w.isSigned + w.isUnsigned;
  const int single = w.chars + w.wchars + w.bools;
  if (sign > 1 || w.ints > 1 || w.longs > 2 || w.shorts > 1 || single > 1) return false;
  if (single == 1 && (w.shorts + w.ints + w.longs) > 0) return false;
  if (w.shorts && w.longs) return false;
  if ((w.wchars || w.bools) && sign) return false;
  return true;
}

BaseWidth widthClass(const IntegerWords& w) {
  if (w.chars || w.wchars || w.bools) return BaseWidth::Char;
  if (w.shorts) return BaseWidth::Short;
  if (w.longs == 2) return BaseWidth::LongLong;
  if (w.longs == 1) return BaseWidth::Long;
  return BaseWidth::Int;
}

// Width and sign of an integer record from its name and the target table.
void refreshInteger(Type* t) {
  IntegerWords w;
  if (!splitIntegerWords(t->name.view(), w)) return;
  const BaseWidth cls = widthClass(w);
  int width = t->widthPinned ? (t->signedWidth < 0 ? -t->signedWidth : t->signedWidth) : targetWidth(cls);
  bool isUnsigned;
  if (t->signPinned) isUnsigned = t->signedWidth > 0;
  else if (w.isUnsigned) isUnsigned = true;
  else if (w.isSigned || w.bools) isUnsigned = false;
  else isUnsigned = targetUnsigned(cls);
  t->signedWidth = isUnsigned ? width : -width;
  t->charFlag = w.chars || w.wchars;
}

void refreshAllIntegers() {
  for (auto& [name, t] : caches().integers) refreshInteger(t);
}

void ensureListener() {
  static bool installed = false;
  if (!installed) {
    setTargetWidthsListener(&refreshAllIntegers);
    installed = true;
  }
}

// ---------------------------------------------------------------------------
// Modifier list.

struct ModifierList {
  std::vector<Name> words;
  std::unordered_map<Name, int> index;
};

ModifierList& modifierList() {
  static ModifierList list;
  if (list.words.empty()) {
    static const char* const kModeWords[] = {"_in", "_IN", "_out", "_OUT", "_inout", "_INOUT",
                                             "_no", "_NO", "_nocheck", "_NOCHECK"};
    for (const char* w : kModeWords) {
      Name n = internName(w);
      list.index.emplace(n, static_cast<int>(list.words.size()));
      list.words.push_back(n);
    }
  }
  return list;
}

int modeIndexOfName(Name n) {
  auto& list = modifierList();
  auto it = list.index.find(n);
  if (it == list.index.end() || it->second >= 8) return -1;
  return it->second;
}

int findMode(const Type* t) {
  for (int guard = 0; t != nullptr && guard < 100000; ++guard) {
    for (Name m : t->modifiers) {
      int idx = modeIndexOfName(m);
      if (idx >= 0) return idx;
    }
    switch (t->kind) {
      case TypeKind::Modified: {
        int idx = modeIndexOfName(t->name);
        if (idx >= 0) return idx;
        t = t->target;
        break;
      }
      case TypeKind::Pointer:
      case TypeKind::Array:
      case TypeKind::Function:
      case TypeKind::Reference:
        t = t->target;
        break;
      default:
        return kNoModeIndex;
    }
  }
  return kNoModeIndex;
}

// The type without its first mode word, rebuilt level by level; the shared
// records are not touched.
Type* withoutMode(Type* t, bool& found, int depth) {
  if (t == nullptr || depth > 100000) return t;
  for (std::size_t i = 0; i < t->modifiers.size(); ++i) {
    if (modeIndexOfName(t->modifiers[i]) >= 0) {
      found = true;
      std::vector<Name> chain = t->modifiers;
      chain.erase(chain.begin() + static_cast<std::ptrdiff_t>(i));
      switch (t->kind) {
        case TypeKind::Pointer:
          return t->memberOf ? memberPointerTo(t->memberOf, t->target, chain) : pointerTo(t->target, chain);
        case TypeKind::Reference:
          return referenceTo(t->target, chain);
        default: {
          Type* c = copyType(t);
          c->modifiers = chain;
          return c;
        }
      }
    }
  }
  switch (t->kind) {
    case TypeKind::Modified: {
      if (modeIndexOfName(t->name) >= 0) {
        found = true;
        return t->target;
      }
      Type* inner = withoutMode(t->target, found, depth + 1);
      return found ? modifiedType(t->name, inner) : t;
    }
    case TypeKind::Pointer:
    case TypeKind::Reference:
    case TypeKind::Array:
    case TypeKind::Function: {
      Type* inner = withoutMode(t->target, found, depth + 1);
      if (!found) return t;
      if (t->kind == TypeKind::Pointer)
        return t->memberOf ? memberPointerTo(t->memberOf, inner, t->modifiers) : pointerTo(inner, t->modifiers);
      if (t->kind == TypeKind::Reference) return referenceTo(inner, t->modifiers);
      Type* c = copyType(t);
      c->target = inner;
      return c;
    }
    default:
      return t;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Messages.

void setTablesMessageHook(MessageHook hook) { g_hook = hook; }
MessageHook tablesMessageHook() { return g_hook; }
void setTablesPosition(const std::string& file, int line) {
  g_file = file;
  g_line = line;
}
void tablesReport(int severity, const char* code, const std::string& argument) {
  if (g_hook) g_hook(severity, code, argument, g_file, g_line);
}

// ---------------------------------------------------------------------------
// Constructors.

Type* makeType(TypeKind kind, int scope) { return newType(kind, scope); }

Type* integerType(std::string_view words) {
  ensureListener();
  auto& ints = caches().integers;
  auto it = ints.find(words);
  if (it != ints.end()) return it->second;
  IntegerWords w;
  if (!splitIntegerWords(words, w)) return nullptr;
  Type* t = newType(TypeKind::Integer, kGlobalScope);
  t->name = internName(words);
  refreshInteger(t);
  ints.emplace(std::string(words), t);
  return t;
}

Type* builtinInteger(std::string_view name) {
  static const char* const kBuiltins[] = {"char", "wchar_t", "bool", "short", "int", "signed", "unsigned", "long"};
  for (const char* b : kBuiltins)
    if (name == b) return integerType(name);
  return nullptr;
}

Type* makeIntegerType(Name name, int signedWidth, bool charFlag) {
  Type* t = newType(TypeKind::Integer, kGlobalScope);
  t->name = name;
  t->signedWidth = signedWidth;
  t->charFlag = charFlag;
  t->widthPinned = true;
  t->signPinned = true;
  return t;
}

Type* integerTypeFor(int signedWidth, bool charFlag) {
  static const char* const kOrder[] = {"char", "unsigned char", "signed char", "short", "unsigned short", "int", "unsigned",
                                       "long", "unsigned long", "long long", "unsigned long long"};
  for (const char* words : kOrder) {
    Type* t = integerType(words);
    if (t && t->signedWidth == signedWidth && t->charFlag == charFlag) return t;
  }
  static std::map<std::pair<int, bool>, Type*> own;  // kept for the run
  auto it = own.find({signedWidth, charFlag});
  if (it != own.end()) return it->second;
  Type* t = makeIntegerType(internName(charFlag ? "char" : (signedWidth < 0 ? "int" : "unsigned")), signedWidth,
                            charFlag);
  own.emplace(std::make_pair(signedWidth, charFlag), t);
  return t;
}

Type* floatingType(std::string_view name) {
  if (name != "float" && name != "double" && name != "long double") return nullptr;
  auto& fl = caches().floatings;
  auto it = fl.find(name);
  if (it != fl.end()) return it->second;
  Type* t = newType(TypeKind::Floating, kGlobalScope);
  t->name = internName(name);
  fl.emplace(std::string(name), t);
  return t;
}

Type* voidType() {
  auto& c = caches();
  if (!c.voidRecord) {
    c.voidRecord = newType(TypeKind::Void, kGlobalScope);
    c.voidRecord->name = internName("void");
  }
  return c.voidRecord;
}

Type* ellipsisType() {
  auto& c = caches();
  if (!c.ellipsisRecord) {
    c.ellipsisRecord = newType(TypeKind::Ellipsis, kGlobalScope);
    c.ellipsisRecord->name = internName("...");
  }
  return c.ellipsisRecord;
}

Type* baseTypeForKeyword(std::string_view word) {
  if (word == "void") return voidType();
  if (word == "float" || word == "double") return floatingType(word);
  if (word == "char" || word == "wchar_t" || word == "bool" || word == "short" || word == "int" ||
      word == "signed" || word == "unsigned" || word == "long")
    return integerType(word);
  return nullptr;
}

namespace {
Type* levelType(TypeKind kind, Type* classType, Type* target, const std::vector<Name>& modifiers) {
  LevelKey key{static_cast<int>(kind), classType, target, chainKey(modifiers)};
  auto& levels = caches().levels;
  auto it = levels.find(key);
  if (it != levels.end()) return it->second;
  Type* t = newType(kind, kGlobalScope);
  t->target = target;
  t->memberOf = classType;
  t->modifiers = modifiers;
  levels.emplace(std::move(key), t);
  return t;
}
}  // namespace

Type* pointerTo(Type* target, const std::vector<Name>& modifiers) {
  return levelType(TypeKind::Pointer, nullptr, target, modifiers);
}

Type* memberPointerTo(Type* classType, Type* target, const std::vector<Name>& modifiers) {
  return levelType(TypeKind::Pointer, classType, target, modifiers);
}

Type* referenceTo(Type* target, const std::vector<Name>& modifiers) {
  return levelType(TypeKind::Reference, nullptr, target, modifiers);
}

Type* modifiedType(Name modifier, Type* target) {
  auto& mods = caches().modified;
  auto key = std::make_pair(modifier.identity(), static_cast<const Type*>(target));
  auto it = mods.find(key);
  if (it != mods.end()) return it->second;
  Type* t = newType(TypeKind::Modified, kGlobalScope);
  t->name = modifier;
  t->target = target;
  mods.emplace(key, t);
  return t;
}

Type* qualifiedType(Type* type, Name word) {
  if (type != nullptr && (type->kind == TypeKind::Pointer || type->kind == TypeKind::Reference)) {
    for (Name m : type->modifiers)
      if (m == word) return type;
    std::vector<Name> chain = type->modifiers;
    chain.push_back(word);
    if (type->kind == TypeKind::Reference) return referenceTo(type->target, chain);
    return type->memberOf ? memberPointerTo(type->memberOf, type->target, chain) : pointerTo(type->target, chain);
  }
  for (const Type* t = type; t != nullptr && t->kind == TypeKind::Modified; t = t->target)
    if (t->name == word) return type;
  return modifiedType(word, type);
}

Type* arrayOf(Type* element) {
  Type* t = newType(TypeKind::Array, kGlobalScope);
  t->target = element;
  return t;
}

Type* arrayOf(Type* element, const std::string& dimensionText) {
  Type* t = arrayOf(element);
  t->hasDimension = true;
  t->dimensionText = dimensionText;
  return t;
}

Type* arrayOf(Type* element, const std::string& dimensionText, std::int64_t value) {
  Type* t = arrayOf(element, dimensionText);
  t->dimensionIsConstant = true;
  t->dimensionValue = value;
  return t;
}

Type* enumerationType(Name tag, int scope) {
  Type* t = newType(TypeKind::Enumeration, scope);
  t->name = tag;
  return t;
}

void addEnumerator(Type* enumeration, Name name, std::int64_t value) {
  if (enumeration) enumeration->enumerators.push_back({name, value});
}

Type* structureType(Name tag, bool isClass, int scope) {
  Type* t = newType(TypeKind::Structure, scope);
  t->name = tag;
  t->isClass = isClass;
  return t;
}

Type* unionType(Name tag, int scope) {
  Type* t = newType(TypeKind::Union, scope);
  t->name = tag;
  return t;
}

void addBaseClass(Type* structure, Type* base, Access access, bool isVirtual) {
  if (structure) structure->bases.push_back({base, access, isVirtual});
}

void addMember(Type* structure, Symbol* member) {
  if (structure && member) structure->members.push_back(member);
}

void addFriend(Type* structure, Name name) {
  if (structure) structure->friends.push_back(name);
}

Access defaultAccess(const Type* structure) {
  return structure != nullptr && structure->kind == TypeKind::Structure && structure->isClass ? Access::Private
                                                                                               : Access::Public;
}

Type* typedefType(Name name, Type* standsFor, int scope) {
  Type* t = newType(TypeKind::Typedef, scope);
  t->name = name;
  t->target = standsFor;
  return t;
}

Type* functionType(Type* result) {
  Type* t = newType(TypeKind::Function, kGlobalScope);
  t->target = result;
  return t;
}

Type* functionType(Type* result, const std::vector<Symbol*>& parameters) {
  Type* t = functionType(result);
  for (Symbol* p : parameters) addParameter(t, p);
  return t;
}

void addParameter(Type* function, Symbol* parameter) {
  if (function && parameter) function->parameters.push_back(parameter);
}

void addException(Type* function, Type* exception) {
  if (!function) return;
  function->hasExceptionList = true;
  if (exception) function->exceptions.push_back(exception);
}

Type* templateType(Name name, int scope) {
  Type* t = newType(TypeKind::Template, scope);
  t->name = name;
  return t;
}

void addTemplateParameter(Type* templ, const TemplateParameter& parameter) {
  if (templ) templ->templateParameters.push_back(parameter);
}

// ---------------------------------------------------------------------------
// Combining specifiers.

Type* composeType(Type* a, Type* b) {
  if (a == nullptr) return b;
  if (b == nullptr) return a;
  auto impossible = [](const Type* t) {
    switch (t->kind) {
      case TypeKind::Integer: case TypeKind::Floating: case TypeKind::Pointer: case TypeKind::Enumeration:
      case TypeKind::Union: case TypeKind::Typedef: case TypeKind::Function: case TypeKind::Void:
      case TypeKind::Structure: case TypeKind::Modified: case TypeKind::Template:
        return false;
      default:
        return true;
    }
  };
  if (impossible(a) || impossible(b)) {
    tablesReport(0, "ERRINTERN", "CPP_compose_type");
    return nullptr;
  }
  if (a->kind == TypeKind::Modified) {
    Type* inner = composeType(a->target, b);
    return inner ? modifiedType(a->name, inner) : nullptr;
  }
  if (b->kind == TypeKind::Modified) {
    Type* inner = composeType(a, b->target);
    return inner ? modifiedType(b->name, inner) : nullptr;
  }
  if (a->kind == TypeKind::Pointer || b->kind == TypeKind::Pointer) {
    Type* p = a->kind == TypeKind::Pointer ? a : b;
    Type* inner = a->kind == TypeKind::Pointer ? composeType(a->target, b) : composeType(a, b->target);
    if (!inner) return nullptr;
    return p->memberOf ? memberPointerTo(p->memberOf, inner, p->modifiers) : pointerTo(inner, p->modifiers);
  }
  if (a->kind == TypeKind::Integer && b->kind == TypeKind::Integer) {
    std::string words = a->name.text() + " " + b->name.text();
    if (Type* t = integerType(words)) return t;
    tablesReport(3, "CONSTRUCT", words);
    return nullptr;
  }
  // long double, double long.
  const Type* i = a->kind == TypeKind::Integer ? a : b;
  const Type* f = a->kind == TypeKind::Floating ? a : b;
  if (i->kind == TypeKind::Integer && f->kind == TypeKind::Floating && i->name == "long" && f->name == "double")
    return floatingType("long double");
  tablesReport(3, "CONSTRUCT", typeImage(a) + " " + typeImage(b));
  return nullptr;
}

// ---------------------------------------------------------------------------
// Looking through.

const Type* stripTypedefsAndModifiers(const Type* type) {
  for (int guard = 0; type && (type->kind == TypeKind::Typedef || type->kind == TypeKind::Modified) && guard < 100000;
       ++guard)
    type = type->target;
  return type;
}

Type* stripTypedefsAndModifiers(Type* type) {
  return const_cast<Type*>(stripTypedefsAndModifiers(static_cast<const Type*>(type)));
}

const Type* stripAll(const Type* type) {
  for (int guard = 0; type && guard < 100000; ++guard) {
    if (type->kind != TypeKind::Typedef && type->kind != TypeKind::Modified && type->kind != TypeKind::Reference)
      break;
    type = type->target;
  }
  return type;
}

Type* stripAll(Type* type) { return const_cast<Type*>(stripAll(static_cast<const Type*>(type))); }

Type* integerBase(Type* type) {
  Type* t = stripTypedefsAndModifiers(type);
  return t && t->kind == TypeKind::Integer ? t : nullptr;
}

bool isCharLike(const Type* type) {
  const Type* t = stripTypedefsAndModifiers(type);
  return t && t->kind == TypeKind::Integer && t->charFlag;
}

bool isSignedInteger(const Type* type) {
  const Type* t = stripTypedefsAndModifiers(type);
  return t && t->kind == TypeKind::Integer && t->signedWidth < 0;
}

int integerWidth(const Type* type) {
  const Type* t = stripTypedefsAndModifiers(type);
  if (!t || t->kind != TypeKind::Integer) return 0;
  return t->signedWidth < 0 ? -t->signedWidth : t->signedWidth;
}

// ---------------------------------------------------------------------------
// Canonical integer names (type comparison).

std::string canonicalIntegerName(const Type* integer) {
  if (!integer || integer->kind != TypeKind::Integer) return {};
  IntegerWords w;
  if (!splitIntegerWords(integer->name.view(), w)) return integer->name.text();
  if (w.wchars) return "wchar_t";
  if (w.bools) return "bool";
  if (w.chars) return w.isUnsigned ? "unsigned char" : w.isSigned ? "signed char" : "char";
  std::string out = w.isUnsigned ? "unsigned " : "";
  if (w.shorts) out += "short";
  else if (w.longs == 2) out += "long long";
  else if (w.longs == 1) out += "long";
  else out += "int";
  return out;
}

// ---------------------------------------------------------------------------
// Target width pragmas.

namespace {
Type* typedefBase(std::string_view name, const SymbolTable* table) {
  Name n = findName(name);
  if (!n) return nullptr;
  if (!table) table = &globalSymbolTable();
  SymbolFilter f;
  f.storageAll = StTypedef;
  const Symbol* s = table->findSymbol(n, f);
  return s ? integerBase(s->type) : nullptr;
}

bool widthClassOfPragmaName(std::string_view name, BaseWidth& cls) {
  if (name.empty()) return false;
  switch (name[0]) {
    case 'c': cls = BaseWidth::Char; return true;
    case 's': cls = BaseWidth::Short; return true;
    case 'i': cls = BaseWidth::Int; return true;
    case 'l': cls = name.size() >= 5 && name[4] == 'l' ? BaseWidth::LongLong : BaseWidth::Long; return true;
    default: return false;
  }
}
}  // namespace

bool applySizeofPragma(std::string_view name, int bits, const SymbolTable* table) {
  if (bits < 1 || bits > 64) return false;
  ensureListener();
  if (Type* base = typedefBase(name, table)) {
    base->widthPinned = true;
    base->signedWidth = base->signedWidth < 0 ? -bits : bits;
    return true;
  }
  BaseWidth cls;
  if (!widthClassOfPragmaName(name, cls)) return false;
  setTargetWidth(cls, bits);
  return true;
}

bool applySignofPragma(std::string_view name, bool isUnsigned, const SymbolTable* table) {
  ensureListener();
  if (Type* base = typedefBase(name, table)) {
    base->signPinned = true;
    const int width = base->signedWidth < 0 ? -base->signedWidth : base->signedWidth;
    base->signedWidth = isUnsigned ? width : -width;
    return true;
  }
  BaseWidth cls;
  if (!widthClassOfPragmaName(name, cls)) return false;
  setTargetUnsigned(cls, isUnsigned);
  return true;
}

// ---------------------------------------------------------------------------
// Modifier list and parameter modes.

void registerModeWords() { (void)modifierList(); }

int registerTypeModifier(std::string_view word) {
  auto& list = modifierList();
  Name n = internName(word);
  auto it = list.index.find(n);
  if (it != list.index.end()) return it->second;
  const int idx = static_cast<int>(list.words.size());
  list.index.emplace(n, idx);
  list.words.push_back(n);
  return idx;
}

int typeModifierIndex(std::string_view word) {
  Name n = findName(word);
  if (n) {
    auto& list = modifierList();
    auto it = list.index.find(n);
    if (it != list.index.end()) return it->second;
  }
  if (g_modifierSource && g_modifierSource(std::string(word))) return registerTypeModifier(word);
  return -1;
}

void setTypeModifierSource(bool (*isModifier)(const std::string& word)) { g_modifierSource = isModifier; }

bool isTypeModifier(std::string_view word) { return typeModifierIndex(word) >= 0; }

const std::vector<Name>& typeModifiers() { return modifierList().words; }

int parameterMode(Type*& type, bool remove) {
  const int idx = findMode(type);
  if (remove && idx != kNoModeIndex) {
    bool found = false;
    type = withoutMode(type, found, 0);
  }
  return idx;
}

int parameterMode(const Type* type) { return findMode(type); }

bool typeHasModifier(const Type* t, std::string_view word) {
  for (int guard = 0; t != nullptr && guard < 100000; ++guard) {
    for (Name m : t->modifiers)
      if (m == word) return true;
    switch (t->kind) {
      case TypeKind::Modified:
        if (t->name == word) return true;
        [[fallthrough]];
      case TypeKind::Pointer:
      case TypeKind::Array:
      case TypeKind::Function:
      case TypeKind::Reference:
        t = t->target;
        break;
      default:
        return false;
    }
  }
  return false;
}

ParameterMode modeOfIndex(int index) {
  if (index < 0 || index > 7) return ModeNone;
  return static_cast<ParameterMode>(index / 2);
}

// ---------------------------------------------------------------------------
// Storage classes.

namespace {
struct StorageWord {
  unsigned bit;
  const char* word;
};
// Image order.
constexpr StorageWord kStorageWords[] = {
    {StTypedef, "typedef"}, {StFriend, "friend"},     {StExtern, "extern"},     {StStatic, "static"},
    {StAuto, "auto"},       {StRegister, "register"}, {StOverload, "overload"}, {StInline, "inline"},
    {StVirtual, "virtual"}, {StExport, "export"},     {StExplicit, "explicit"}, {StMutable, "mutable"},
};
}  // namespace

unsigned storageBitOfWord(std::string_view word) {
  for (const auto& s : kStorageWords)
    if (word == s.word) return s.bit;
  return 0;
}

std::string storageImage(unsigned storage) {
  std::string out;
  for (const auto& s : kStorageWords)
    if (storage & s.bit) {
      out += s.word;
      out += ' ';
    }
  return out;
}

void resetTypeTablesForTests() {
  auto& c = caches();
  c.integers.clear();
  c.floatings.clear();
  c.levels.clear();
  c.modified.clear();
  c.voidRecord = nullptr;
  c.ellipsisRecord = nullptr;
  auto& list = modifierList();
  list.words.clear();
  list.index.clear();
  (void)modifierList();
  g_hook = nullptr;
  g_modifierSource = nullptr;
  g_file.clear();
  g_line = 0;
}

}  // namespace zenta::analyser
