#include "analyser/sema/typing_class.h"

#include "analyser/ast/images.h"
#include "analyser/ast/standard_types.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/dialect.h"
#include "analyser/basic/target_widths.h"

namespace zenta::analyser {

const char* floatingClassWord(const std::string& image) {
  if (!image.empty() && image.front() == 'd') return "double";
  if (!image.empty() && image.front() == 'l') return "longdouble";
  return "float";
}

namespace {

int intSize() { return -targetWidth(BaseWidth::Int); }

void set(TypeClass& c, int value, const char* word) {
  c.value = value;
  c.word = word;
}

// Whether a scope is the body of a class template or lies inside one: a
// typedef of such a body cannot be named without the template's arguments
// (`std::vector::size_type` is no type), so the text names what it stands for.
bool insideTemplate(const SymbolTable* table, int scope) {
  if (table == nullptr) return false;
  for (int s = scope; s > 0 && s < table->scopeCount(); s = table->parentOf(s)) {
    const Scope& info = table->scope(s);
    if (info.kind != ScopeKind::Class) continue;
    SymbolFilter filter;
    filter.scope = table->parentOf(s);
    filter.kind = static_cast<int>(TypeKind::Template);
    if (table->findSymbol(info.name, filter) != nullptr) return true;
    const Symbol* tag = table->findTag(info.name, -1, filter.scope);
    if (tag != nullptr && tag->type != nullptr && tag->type->kind == TypeKind::Template) return true;
  }
  return false;
}

}  // namespace

TypeClass typeClassOf(const Type* type, bool withCType, const SymbolTable* table, int scope) {
  ImageOptions options;
  options.table = table;
  options.requestingScope = scope;
  auto image = [&](const Type* t) { return typeImage(t, {}, options); };

  TypeClass c;
  c.size = intSize();
  const Type* base = stripAll(type);
  if (base == nullptr) return c;

  switch (base->kind) {
    case TypeKind::Integer: {
      const IntegerType* it = as<IntegerType>(base);
      c.size = it->signedWidth;
      if (dialectAtLeast(Dialect::Cxx11) && it->name.view() == "bool")
        set(c, 1, "booleen");
      else if (it->signedWidth >= 0)
        set(c, 0, "unsigned");
      else if (it->charFlag)
        set(c, 2, "caractere");
      else
        set(c, 0, "entier");
      c.hasCType = true;
      break;
    }
    case TypeKind::Enumeration: {
      // An underlying type written after `:` gives the width and the sign.
      const EnumerationType* en = as<EnumerationType>(base);
      const IntegerType* underlying = dyn<IntegerType>(stripTypedefsAndModifiers(en->underlying));
      if (underlying != nullptr) c.size = underlying->signedWidth;
      set(c, 0, underlying != nullptr && underlying->signedWidth >= 0 ? "unsigned" : "entier");
      c.scopedEnumeration = en->scoped;
      c.hasCType = true;
      break;
    }
    case TypeKind::Void:
      set(c, 0, "entier");
      c.hasCType = true;
      break;
    case TypeKind::Floating:
      set(c, 3, floatingClassWord(image(base)));
      c.hasCType = true;
      break;
    case TypeKind::Pointer: {
      const Type* pointed = targetOf(base);
      if (pointed != nullptr && isCharLike(pointed)) {
        set(c, 4, "chaine");
        c.cType = "char *";
      } else {
        set(c, 6, "pointeur");
        if (pointed == nullptr) c.cType = "void *";
      }
      c.hasCType = true;
      break;
    }
    case TypeKind::Array:
      if (isCharLike(targetOf(base))) {
        set(c, 4, "chaine");
      } else {
        set(c, 6, "pointeur");
        c.hasCType = true;
      }
      break;
    case TypeKind::Function:
      set(c, 6, "pointeur");
      c.hasCType = true;
      if (withCType) c.cType = targetOf(base) != nullptr ? image(targetOf(base)) : "void";
      return c;
    case TypeKind::Structure:
      if (table == nullptr || standardString(base, *table) == StandardString::None) return c;  // class 8
      set(c, 10, "chaine");
      c.hasCType = true;
      break;
    default:
      return c;  // class 8
  }
  if (!withCType || !c.hasCType) {
    if (!withCType) c.cType.clear();
    return c;
  }
  if (!c.cType.empty() && c.value == 4) return c;  // "char *" whatever the spelling
  // The C type text: the first typedef met keeps its name; a modifier or a
  // reference gives the text of what it applies to.
  const Type* t = type;
  while (t != nullptr && (t->kind == TypeKind::Modified || t->kind == TypeKind::Reference)) t = targetOf(t);
  while (t != nullptr && t->kind == TypeKind::Typedef && insideTemplate(table, t->scope)) t = targetOf(t);
  if (t != nullptr && t->kind == TypeKind::Typedef) {
    c.cType = qualifiedTypeName(t, options);
    return c;
  }
  if (c.cType.empty()) c.cType = base->kind == TypeKind::Void ? "void" : image(base);
  return c;
}

}  // namespace zenta::analyser
