#include "analyser/ast/context.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "analyser/ast/images.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/target_widths.h"

namespace zenta::analyser {

void badTypeDowncast(const Type* type) {
  std::fprintf(stderr, "internal error: type record of kind %d used as another kind\n",
               type ? static_cast<int>(type->kind) : -1);
  std::abort();
}

namespace {

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
void refreshInteger(IntegerType* t) {
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

// The target widths are process-wide: every live context refreshes its base
// integer records when they change.
std::vector<AstContext*>& liveContexts() {
  static std::vector<AstContext*> contexts;
  return contexts;
}

}  // namespace

void refreshContextIntegers() {
  for (AstContext* c : liveContexts()) c->refreshIntegers();
}

// ---------------------------------------------------------------------------
// The context.

AstContext::AstContext() {
  static const char* const kModeWords[] = {"_in", "_IN", "_out", "_OUT", "_inout", "_INOUT",
                                           "_no", "_NO", "_nocheck", "_NOCHECK"};
  for (const char* w : kModeWords) registerTypeModifier(w);
  liveContexts().push_back(this);
  setTargetWidthsListener(&refreshContextIntegers);
}

AstContext::~AstContext() {
  auto& live = liveContexts();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  if (live.empty()) setTargetWidthsListener(nullptr);
}

void AstContext::refreshIntegers() {
  for (auto& [name, t] : integers_) refreshInteger(t);
}

std::size_t AstContext::LevelHash::operator()(const LevelKey& k) const noexcept {
  std::size_t h = std::hash<const void*>()(k.target);
  h = h * 31 + std::hash<const void*>()(k.classType);
  h = h * 31 + std::hash<const void*>()(k.chain);
  return h * 31 + static_cast<std::size_t>(k.kind);
}

std::size_t AstContext::PairHash::operator()(const std::pair<const void*, const Type*>& k) const noexcept {
  return std::hash<const void*>()(k.first) * 31 + std::hash<const void*>()(k.second);
}

void AstContext::report(int severity, const char* code, const std::string& argument) const {
  if (hook_) hook_(severity, code, argument, file_, line_);
}

ModifierChain AstContext::internChain(ModifierChain chain) {
  if (chain.empty()) return {};
  std::vector<const void*> key;
  key.reserve(chain.size());
  for (Name n : chain) key.push_back(n.identity());
  auto it = chains_.find(key);
  if (it == chains_.end()) it = chains_.emplace(std::move(key), arena_.copyArray(chain.data(), chain.size())).first;
  return ModifierChain(it->second, chain.size());
}

Type* AstContext::makeType(TypeKind kind, int scope) {
  switch (kind) {
    case TypeKind::Integer: return newRecord<IntegerType>(kind, scope);
    case TypeKind::Floating: return newRecord<FloatingType>(kind, scope);
    case TypeKind::Pointer: return newRecord<PointerType>(kind, scope);
    case TypeKind::Reference: return newRecord<ReferenceType>(kind, scope);
    case TypeKind::Array: return newRecord<ArrayType>(kind, scope);
    case TypeKind::Typedef: return newRecord<TypedefType>(kind, scope);
    case TypeKind::Modified: return newRecord<ModifiedType>(kind, scope);
    case TypeKind::Function: return newRecord<FunctionType>(kind, scope);
    case TypeKind::Template: return newRecord<TemplateType>(kind, scope);
    case TypeKind::Enumeration: return newRecord<EnumerationType>(kind, scope);
    case TypeKind::Structure:
    case TypeKind::Union: return newRecord<StructuredType>(kind, scope);
    default: return newRecord<Type>(kind, scope);
  }
}

namespace {
// A record of its own with the same detail (its lists shared until either
// side grows them).
template <class T>
T* cloneRecord(Arena& arena, const Type* t) {
  T* c = arena.make<T>(*static_cast<const T*>(t));
  c->printing = false;
  return c;
}
}  // namespace

Type* AstContext::copyType(const Type* t) {
  switch (t->kind) {
    case TypeKind::Integer: return cloneRecord<IntegerType>(arena_, t);
    case TypeKind::Floating: return cloneRecord<FloatingType>(arena_, t);
    case TypeKind::Pointer: return cloneRecord<PointerType>(arena_, t);
    case TypeKind::Reference: return cloneRecord<ReferenceType>(arena_, t);
    case TypeKind::Array: return cloneRecord<ArrayType>(arena_, t);
    case TypeKind::Typedef: return cloneRecord<TypedefType>(arena_, t);
    case TypeKind::Modified: return cloneRecord<ModifiedType>(arena_, t);
    case TypeKind::Function: return cloneRecord<FunctionType>(arena_, t);
    case TypeKind::Template: return cloneRecord<TemplateType>(arena_, t);
    case TypeKind::Enumeration: return cloneRecord<EnumerationType>(arena_, t);
    case TypeKind::Structure:
    case TypeKind::Union: return cloneRecord<StructuredType>(arena_, t);
    default: return cloneRecord<Type>(arena_, t);
  }
}

// ---------------------------------------------------------------------------
// Base types.

IntegerType* AstContext::integerType(std::string_view words) {
  auto it = integers_.find(words);
  if (it != integers_.end()) return it->second;
  IntegerWords w;
  if (!splitIntegerWords(words, w)) return nullptr;
  IntegerType* t = newRecord<IntegerType>(TypeKind::Integer, kGlobalScope);
  t->name = internName(words);
  refreshInteger(t);
  integers_.emplace(std::string(words), t);
  return t;
}

IntegerType* AstContext::builtinInteger(std::string_view name) {
  static const char* const kBuiltins[] = {"char", "wchar_t", "bool", "short", "int", "signed", "unsigned", "long"};
  for (const char* b : kBuiltins)
    if (name == b) return integerType(name);
  return nullptr;
}

IntegerType* AstContext::makeIntegerType(Name name, int signedWidth, bool charFlag) {
  IntegerType* t = newRecord<IntegerType>(TypeKind::Integer, kGlobalScope);
  t->name = name;
  t->signedWidth = signedWidth;
  t->charFlag = charFlag;
  t->widthPinned = true;
  t->signPinned = true;
  return t;
}

IntegerType* AstContext::integerTypeFor(int signedWidth, bool charFlag) {
  static const char* const kOrder[] = {"char", "unsigned char", "signed char", "short", "unsigned short", "int", "unsigned",
                                       "long", "unsigned long", "long long", "unsigned long long"};
  for (const char* words : kOrder) {
    IntegerType* t = integerType(words);
    if (t && t->signedWidth == signedWidth && t->charFlag == charFlag) return t;
  }
  auto it = ownIntegers_.find({signedWidth, charFlag});
  if (it != ownIntegers_.end()) return it->second;
  IntegerType* t = makeIntegerType(internName(charFlag ? "char" : (signedWidth < 0 ? "int" : "unsigned")),
                                   signedWidth, charFlag);
  ownIntegers_.emplace(std::make_pair(signedWidth, charFlag), t);
  return t;
}

FloatingType* AstContext::floatingType(std::string_view name) {
  if (name != "float" && name != "double" && name != "long double") return nullptr;
  auto it = floatings_.find(name);
  if (it != floatings_.end()) return it->second;
  FloatingType* t = newRecord<FloatingType>(TypeKind::Floating, kGlobalScope);
  t->name = internName(name);
  floatings_.emplace(std::string(name), t);
  return t;
}

Type* AstContext::voidType() {
  if (!void_) {
    void_ = newRecord<Type>(TypeKind::Void, kGlobalScope);
    void_->name = internName("void");
  }
  return void_;
}

Type* AstContext::ellipsisType() {
  if (!ellipsis_) {
    ellipsis_ = newRecord<Type>(TypeKind::Ellipsis, kGlobalScope);
    ellipsis_->name = internName("...");
  }
  return ellipsis_;
}

Type* AstContext::baseTypeForKeyword(std::string_view word) {
  if (word == "void") return voidType();
  if (word == "float" || word == "double") return floatingType(word);
  if (word == "char" || word == "wchar_t" || word == "bool" || word == "short" || word == "int" ||
      word == "signed" || word == "unsigned" || word == "long")
    return integerType(word);
  return nullptr;
}

// ---------------------------------------------------------------------------
// Levels and modified types.

template <class T>
T* AstContext::levelType(TypeKind kind, Type* classType, Type* target, ModifierChain modifiers) {
  const ModifierChain chain = internChain(modifiers);
  LevelKey key{kind, classType, target, chain.data()};
  auto it = levels_.find(key);
  if (it != levels_.end()) return static_cast<T*>(it->second);
  T* t = newRecord<T>(kind, kGlobalScope);
  t->target = target;
  if constexpr (std::is_same_v<T, PointerType>) t->memberOf = classType;
  t->modifiers = chain;
  levels_.emplace(key, t);
  return t;
}

PointerType* AstContext::pointerTo(Type* target, ModifierChain modifiers) {
  return levelType<PointerType>(TypeKind::Pointer, nullptr, target, modifiers);
}

PointerType* AstContext::memberPointerTo(Type* classType, Type* target, ModifierChain modifiers) {
  return levelType<PointerType>(TypeKind::Pointer, classType, target, modifiers);
}

ReferenceType* AstContext::referenceTo(Type* target, ModifierChain modifiers) {
  return levelType<ReferenceType>(TypeKind::Reference, nullptr, target, modifiers);
}

// A pointer or reference level like `level` with another target and chain.
Type* AstContext::relevel(const Type* level, Type* target, ModifierChain chain) {
  if (level->kind == TypeKind::Reference) return referenceTo(target, chain);
  const PointerType* p = as<PointerType>(level);
  return p->memberOf ? memberPointerTo(p->memberOf, target, chain) : pointerTo(target, chain);
}

ModifiedType* AstContext::modifiedType(Name modifier, Type* target) {
  auto key = std::make_pair(modifier.identity(), static_cast<const Type*>(target));
  auto it = modified_.find(key);
  if (it != modified_.end()) return it->second;
  ModifiedType* t = newRecord<ModifiedType>(TypeKind::Modified, kGlobalScope);
  t->name = modifier;
  t->target = target;
  modified_.emplace(key, t);
  return t;
}

Type* AstContext::qualifiedType(Type* type, Name word) {
  if (type != nullptr && (type->kind == TypeKind::Pointer || type->kind == TypeKind::Reference)) {
    for (Name m : type->modifiers)
      if (m == word) return type;
    std::vector<Name> chain(type->modifiers.begin(), type->modifiers.end());
    chain.push_back(word);
    return relevel(type, targetOf(type), chain);
  }
  for (const Type* t = type; t != nullptr && t->kind == TypeKind::Modified; t = targetOf(t))
    if (t->name == word) return type;
  return modifiedType(word, type);
}

// ---------------------------------------------------------------------------
// Records made one per declaration.

ArrayType* AstContext::arrayOf(Type* element) {
  ArrayType* t = newRecord<ArrayType>(TypeKind::Array, kGlobalScope);
  t->target = element;
  return t;
}

ArrayType* AstContext::arrayOf(Type* element, std::string_view dimensionText) {
  ArrayType* t = arrayOf(element);
  t->hasDimension = true;
  t->dimensionText = arena_.copyText(dimensionText);
  return t;
}

ArrayType* AstContext::arrayOf(Type* element, std::string_view dimensionText, std::int64_t value) {
  ArrayType* t = arrayOf(element, dimensionText);
  t->dimensionIsConstant = true;
  t->dimensionValue = value;
  return t;
}

EnumerationType* AstContext::enumerationType(Name tag, int scope) {
  EnumerationType* t = newRecord<EnumerationType>(TypeKind::Enumeration, scope);
  t->name = tag;
  return t;
}

void AstContext::addEnumerator(EnumerationType* enumeration, Name name, std::int64_t value) {
  if (enumeration) enumeration->enumerators.push_back(arena_, {name, value});
}

StructuredType* AstContext::structureType(Name tag, bool isClass, int scope) {
  StructuredType* t = newRecord<StructuredType>(TypeKind::Structure, scope);
  t->name = tag;
  t->isClass = isClass;
  return t;
}

StructuredType* AstContext::unionType(Name tag, int scope) {
  StructuredType* t = newRecord<StructuredType>(TypeKind::Union, scope);
  t->name = tag;
  return t;
}

void AstContext::addBaseClass(StructuredType* structure, Type* base, Access access, bool isVirtual) {
  if (structure) structure->bases.push_back(arena_, {base, access, isVirtual});
}

void AstContext::addMember(StructuredType* structure, Symbol* member) {
  if (structure && member) structure->members.push_back(arena_, member);
}

void AstContext::addFriend(StructuredType* structure, Name name) {
  if (structure) structure->friends.push_back(arena_, name);
}

TypedefType* AstContext::typedefType(Name name, Type* standsFor, int scope) {
  TypedefType* t = newRecord<TypedefType>(TypeKind::Typedef, scope);
  t->name = name;
  t->target = standsFor;
  return t;
}

FunctionType* AstContext::functionType(Type* result) {
  FunctionType* t = newRecord<FunctionType>(TypeKind::Function, kGlobalScope);
  t->target = result;
  return t;
}

FunctionType* AstContext::functionType(Type* result, const std::vector<Symbol*>& parameters) {
  FunctionType* t = functionType(result);
  for (Symbol* p : parameters) addParameter(t, p);
  return t;
}

void AstContext::addParameter(FunctionType* function, Symbol* parameter) {
  if (function && parameter) function->parameters.push_back(arena_, parameter);
}

void AstContext::addException(FunctionType* function, Type* exception) {
  if (!function) return;
  function->hasExceptionList = true;
  if (exception) function->exceptions.push_back(arena_, exception);
}

TemplateType* AstContext::templateType(Name name, int scope) {
  TemplateType* t = newRecord<TemplateType>(TypeKind::Template, scope);
  t->name = name;
  return t;
}

void AstContext::addTemplateParameter(TemplateType* templ, const TemplateParameter& parameter) {
  if (!templ) return;
  TemplateParameter p = parameter;
  p.defaultText = arena_.copyText(parameter.defaultText);
  templ->templateParameters.push_back(arena_, p);
}

// ---------------------------------------------------------------------------
// Combining specifiers.

Type* AstContext::composeType(Type* a, Type* b, const SymbolTable* table) {
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
    report(0, "ERRINTERN", "CPP_compose_type");
    return nullptr;
  }
  if (a->kind == TypeKind::Modified) {
    Type* inner = composeType(targetOf(a), b, table);
    return inner ? modifiedType(a->name, inner) : nullptr;
  }
  if (b->kind == TypeKind::Modified) {
    Type* inner = composeType(a, targetOf(b), table);
    return inner ? modifiedType(b->name, inner) : nullptr;
  }
  if (a->kind == TypeKind::Pointer || b->kind == TypeKind::Pointer) {
    Type* p = a->kind == TypeKind::Pointer ? a : b;
    Type* inner = a->kind == TypeKind::Pointer ? composeType(targetOf(a), b, table) : composeType(a, targetOf(b), table);
    if (!inner) return nullptr;
    return relevel(p, inner, p->modifiers);
  }
  if (a->kind == TypeKind::Integer && b->kind == TypeKind::Integer) {
    std::string words = a->name.text() + " " + b->name.text();
    if (Type* t = integerType(words)) return t;
    report(3, "CONSTRUCT", words);
    return nullptr;
  }
  // long double, double long.
  const Type* i = a->kind == TypeKind::Integer ? a : b;
  const Type* f = a->kind == TypeKind::Floating ? a : b;
  if (i->kind == TypeKind::Integer && f->kind == TypeKind::Floating && i->name == "long" && f->name == "double")
    return floatingType("long double");
  ImageOptions o;
  o.table = table;
  report(3, "CONSTRUCT", typeImage(a, {}, o) + " " + typeImage(b, {}, o));
  return nullptr;
}

// ---------------------------------------------------------------------------
// Target width pragmas.

namespace {
IntegerType* typedefBase(std::string_view name, const SymbolTable* table) {
  Name n = findName(name);
  if (!n || !table) return nullptr;
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

bool AstContext::applySizeofPragma(std::string_view name, int bits, const SymbolTable* table) {
  if (bits < 1 || bits > 64) return false;
  if (IntegerType* base = typedefBase(name, table)) {
    base->widthPinned = true;
    base->signedWidth = base->signedWidth < 0 ? -bits : bits;
    return true;
  }
  BaseWidth cls;
  if (!widthClassOfPragmaName(name, cls)) return false;
  setTargetWidth(cls, bits);
  return true;
}

bool AstContext::applySignofPragma(std::string_view name, bool isUnsigned, const SymbolTable* table) {
  if (IntegerType* base = typedefBase(name, table)) {
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

int AstContext::registerTypeModifier(std::string_view word) {
  Name n = internName(word);
  auto it = modifierIndex_.find(n);
  if (it != modifierIndex_.end()) return it->second;
  const int idx = static_cast<int>(modifierWords_.size());
  modifierIndex_.emplace(n, idx);
  modifierWords_.push_back(n);
  return idx;
}

int AstContext::typeModifierIndex(Name word) {
  if (!word) return -1;
  auto it = modifierIndex_.find(word);
  if (it != modifierIndex_.end()) return it->second;
  if (modifierSource_ && modifierSource_(word.text())) return registerTypeModifier(word.view());
  return -1;
}

int AstContext::typeModifierIndex(std::string_view word) {
  if (Name n = findName(word)) return typeModifierIndex(n);
  if (modifierSource_ && modifierSource_(std::string(word))) return registerTypeModifier(word);
  return -1;
}

int AstContext::modeIndexOfName(Name n) const {
  auto it = modifierIndex_.find(n);
  if (it == modifierIndex_.end() || it->second >= 8) return -1;
  return it->second;
}

int AstContext::findMode(const Type* t) const {
  for (int guard = 0; t != nullptr && guard < 100000; ++guard) {
    for (Name m : t->modifiers) {
      int idx = modeIndexOfName(m);
      if (idx >= 0) return idx;
    }
    switch (t->kind) {
      case TypeKind::Modified: {
        int idx = modeIndexOfName(t->name);
        if (idx >= 0) return idx;
        t = targetOf(t);
        break;
      }
      case TypeKind::Pointer:
      case TypeKind::Array:
      case TypeKind::Function:
      case TypeKind::Reference:
        t = targetOf(t);
        break;
      default:
        return kNoModeIndex;
    }
  }
  return kNoModeIndex;
}

// The type without its first mode word, rebuilt level by level; the shared
// records are not touched.
Type* AstContext::withoutMode(Type* t, bool& found, int depth) {
  if (t == nullptr || depth > 100000) return t;
  for (std::size_t i = 0; i < t->modifiers.size(); ++i) {
    if (modeIndexOfName(t->modifiers[i]) >= 0) {
      found = true;
      std::vector<Name> chain(t->modifiers.begin(), t->modifiers.end());
      chain.erase(chain.begin() + static_cast<std::ptrdiff_t>(i));
      switch (t->kind) {
        case TypeKind::Pointer:
        case TypeKind::Reference:
          return relevel(t, targetOf(t), chain);
        default: {
          Type* c = copyType(t);
          c->modifiers = internChain(chain);
          return c;
        }
      }
    }
  }
  switch (t->kind) {
    case TypeKind::Modified: {
      Type* target = targetOf(t);
      if (modeIndexOfName(t->name) >= 0) {
        found = true;
        return target;
      }
      Type* inner = withoutMode(target, found, depth + 1);
      return found ? modifiedType(t->name, inner) : t;
    }
    case TypeKind::Pointer:
    case TypeKind::Reference:
    case TypeKind::Array:
    case TypeKind::Function: {
      Type* inner = withoutMode(targetOf(t), found, depth + 1);
      if (!found) return t;
      if (t->kind == TypeKind::Pointer || t->kind == TypeKind::Reference) return relevel(t, inner, t->modifiers);
      Type* c = copyType(t);
      as<DerivedType>(c)->target = inner;
      return c;
    }
    default:
      return t;
  }
}

int AstContext::parameterMode(Type*& type, bool remove) {
  const int idx = findMode(type);
  if (remove && idx != kNoModeIndex) {
    bool found = false;
    type = withoutMode(type, found, 0);
  }
  return idx;
}

int AstContext::parameterMode(const Type* type) const { return findMode(type); }

ParameterMode modeOfIndex(int index) {
  if (index < 0 || index > 7) return ModeNone;
  return static_cast<ParameterMode>(index / 2);
}

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
        t = targetOf(t);
        break;
      default:
        return false;
    }
  }
  return false;
}

// ---------------------------------------------------------------------------
// Symbol entries.

Symbol* AstContext::makeSymbol(Name name, Type* type, unsigned storage, int scope) {
  Symbol* e = arena_.make<Symbol>();
  e->name = name;
  e->type = type;
  e->storage = storage;
  e->scope = scope;
  return e;
}

Symbol* AstContext::makeMember(Name name, Type* type, unsigned storage, int scope, Access access) {
  Symbol* e = makeSymbol(name, type, storage, scope);
  e->access = access;
  return e;
}

Symbol* AstContext::makeParameter(Name name, Type* type) { return makeSymbol(name, type, 0, kGlobalScope); }

SymbolDetail* AstContext::detailOf(Symbol* s) {
  if (!s->detail) s->detail = arena_.make<SymbolDetail>();
  return s->detail;
}

void AstContext::setDefaultArgument(Symbol* parameter, std::string_view text) {
  if (!parameter) return;
  parameter->hasDefault = true;
  detailOf(parameter)->defaultText = arena_.copyText(text);
}

void AstContext::setStubBlock(Symbol* function, Name block) {
  if (function) detailOf(function)->stubBlock = block;
}

// ---------------------------------------------------------------------------
// Queries without state.

Access defaultAccess(const Type* structure) {
  const StructuredType* s = dyn<StructuredType>(structure);
  return s != nullptr && s->kind == TypeKind::Structure && s->isClass ? Access::Private : Access::Public;
}

// ---------------------------------------------------------------------------
// Looking through.

const Type* stripTypedefsAndModifiers(const Type* type) {
  for (int guard = 0; type && (type->kind == TypeKind::Typedef || type->kind == TypeKind::Modified) && guard < 100000;
       ++guard)
    type = static_cast<const DerivedType*>(type)->target;
  return type;
}

Type* stripTypedefsAndModifiers(Type* type) {
  return const_cast<Type*>(stripTypedefsAndModifiers(static_cast<const Type*>(type)));
}

const Type* stripAll(const Type* type) {
  for (int guard = 0; type && guard < 100000; ++guard) {
    if (type->kind != TypeKind::Typedef && type->kind != TypeKind::Modified && type->kind != TypeKind::Reference)
      break;
    type = static_cast<const DerivedType*>(type)->target;
  }
  return type;
}

Type* stripAll(Type* type) { return const_cast<Type*>(stripAll(static_cast<const Type*>(type))); }

IntegerType* integerBase(Type* type) { return dyn<IntegerType>(stripTypedefsAndModifiers(type)); }

bool isCharLike(const Type* type) {
  const IntegerType* t = dyn<IntegerType>(stripTypedefsAndModifiers(type));
  return t && t->charFlag;
}

bool isSignedInteger(const Type* type) {
  const IntegerType* t = dyn<IntegerType>(stripTypedefsAndModifiers(type));
  return t && t->signedWidth < 0;
}

int integerWidth(const Type* type) {
  const IntegerType* t = dyn<IntegerType>(stripTypedefsAndModifiers(type));
  if (!t) return 0;
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

}  // namespace zenta::analyser
