#include "analyser/sema/decl_record.h"

#include "analyser/ast/images.h"

namespace zenta::analyser {

namespace {

const FunctionType* functionOf(const Type* t) { return dyn<FunctionType>(t); }

bool isEllipsis(const Symbol* p) { return p && p->type && p->type->kind == TypeKind::Ellipsis; }

// Same parameter types, same ellipsis, same constness and ref-qualifier:
// the same function as far as overloading goes.
bool sameSignature(const FunctionType* a, const FunctionType* b) {
  if (a->parameters.size() != b->parameters.size() || a->constMethod != b->constMethod ||
      a->refQualifier != b->refQualifier || a->constrained || b->constrained)
    return false;
  for (std::size_t i = 0; i < a->parameters.size(); ++i) {
    const Symbol* pa = a->parameters[i];
    const Symbol* pb = b->parameters[i];
    if (isEllipsis(pa) != isEllipsis(pb)) return false;
    if (!isEllipsis(pa) && !sameType(pa->type, pb->type)) return false;
  }
  return true;
}

DeclKind kindOfOrdinary(const NewDeclaration& d) {
  if (d.storage & StTypedef) return DeclKind::Typedef;
  const Type* t = d.type;
  if (t && t->kind == TypeKind::Template) return DeclKind::Template;
  const bool function = t && t->kind == TypeKind::Function;
  if (d.memberOf) return function ? DeclKind::Method : DeclKind::Field;
  return function ? DeclKind::Function : DeclKind::Variable;
}

}  // namespace

void DeclarationRecorder::report(int severity, const char* code, const std::string& argument) const {
  if (hook_) hook_(severity, code, argument, file_.text(), line_);
}

void DeclarationRecorder::log(DeclKind kind, Name name, int scope, const Type* type, unsigned storage,
                              std::int64_t value) {
  if (log_ && name && !name.empty()) log_->push_back({kind, name, scope, type, storage, value});
}

// A redeclaration compatible with `old`: merged into it (true), or a
// conflict (false).
bool DeclarationRecorder::mergeInto(Symbol* old, const NewDeclaration& d) {
  const bool oldTypedef = (old->storage & StTypedef) != 0;
  const bool newTypedef = (d.storage & StTypedef) != 0;
  if (old->isEnumerator || oldTypedef != newTypedef) return false;
  if (newTypedef) return sameType(targetOf(old->type), targetOf(d.type));
  const FunctionType* of = functionOf(old->type);
  const FunctionType* nf = functionOf(d.type);
  if ((of == nullptr) != (nf == nullptr)) return false;
  if (of) {
    if (!sameType(of->target, nf->target)) return false;
  } else if (!compatibleTypes(old->type, d.type)) {
    return false;
  } else if (const ArrayType* a = dyn<ArrayType>(d.type); a && a->hasDimension) {
    old->type = d.type;  // the dimension is known now
  }
  if (d.definition) {
    old->defined = true;
    old->file = d.file;
    old->line = d.line;
  }
  old->storage |= d.storage & ~(StExtern);
  if (!(d.storage & StExtern)) old->storage &= ~StExtern;
  return true;
}

Symbol* DeclarationRecorder::declare(const NewDeclaration& d) {
  if (!d.name) return nullptr;
  SymbolFilter f;
  f.scope = d.scope;
  // The earlier entries of the name in this scope; a function whose
  // parameters differ is an overload and does not conflict.
  for (Symbol* old = table_.findSymbol(d.name, f); old != nullptr;) {
    Symbol* next = nullptr;
    for (Symbol* s = old->nextOfName; s; s = s->nextOfName)
      if (f.matches(*s)) {
        next = s;
        break;
      }
    const FunctionType* of = functionOf(old->type);
    const FunctionType* nf = functionOf(d.type);
    const bool oldTemplate = old->type && old->type->kind == TypeKind::Template;
    const bool newTemplate = d.type && d.type->kind == TypeKind::Template;
    if ((of && nf && !sameSignature(of, nf)) || (oldTemplate && (newTemplate || nf)) || (of && newTemplate)) {
      old = next;
      continue;
    }
    if (mergeInto(old, d)) return old;
    report(3, "REDEFSYMB", d.name.text());
    return nullptr;
  }
  Symbol* s;
  if (d.memberOf) {
    s = ctx_.makeMember(d.name, d.type, d.storage, d.scope, d.access);
    if (!d.type || d.type->kind != TypeKind::Template) ctx_.addMember(d.memberOf, s);
    table_.insertSymbol(s);
  } else {
    s = table_.declareSymbol(d.name, d.type, d.storage, d.scope);
  }
  s->file = d.file;
  s->line = d.line;
  s->defined = d.definition;
  log(kindOfOrdinary(d), d.name, d.scope, d.type, d.storage);
  return s;
}

Symbol* DeclarationRecorder::declareEnumerator(Name name, EnumerationType* enumeration, std::int64_t value, int scope,
                                               StructuredType* memberOf, Name file, int line) {
  SymbolFilter f;
  f.scope = scope;
  if (table_.findSymbol(name, f)) {
    report(3, "REDEFSYMB", name.text());
    return nullptr;
  }
  Symbol* s = memberOf ? table_.insertSymbol(ctx_.makeMember(name, enumeration, 0, scope, Access::Public))
                       : table_.declareSymbol(name, enumeration, 0, scope);
  s->isEnumerator = true;
  s->value = value;
  s->file = file;
  s->line = line;
  log(DeclKind::Enumerator, name, scope, enumeration, 0, value);
  return s;
}

TagType* DeclarationRecorder::tag(TypeKind kind, Name name, bool isClass, int scope, bool definition,
                                  bool declareHere, Name file, int line) {
  auto make = [&]() -> TagType* {
    if (kind == TypeKind::Enumeration) return ctx_.enumerationType(name, scope);
    if (kind == TypeKind::Union) return ctx_.unionType(name, scope);
    return ctx_.structureType(name, isClass, scope);
  };
  if (!name || name.empty()) return make();
  const int k = static_cast<int>(kind);
  Symbol* found = nullptr;
  if (definition || declareHere) found = table_.findTag(name, k, scope);
  else found = table_.lookupTag(name, k, scope);
  if (found && found->type) {
    TagType* t = dyn<TagType>(found->type);
    if (t == nullptr) return make();
    if (definition && t->complete) {
      report(3, "REDEFSTRU", name.text());
      return make();
    }
    if (definition) {
      found->file = file;
      found->line = line;
      if (StructuredType* s = dyn<StructuredType>(t)) s->isClass = isClass;
    }
    return t;
  }
  TagType* t = make();
  Symbol* s = table_.declareTag(name, t, scope);
  s->file = file;
  s->line = line;
  DeclKind dk = kind == TypeKind::Enumeration ? DeclKind::Enum
                : kind == TypeKind::Union    ? DeclKind::Union
                : isClass                    ? DeclKind::Class
                                             : DeclKind::Struct;
  log(dk, name, scope, t, 0);
  return t;
}

TemplateType* DeclarationRecorder::templateTag(Name name, int scope, Name file, int line, bool& fresh) {
  fresh = false;
  if (Symbol* found = table_.findTag(name, static_cast<int>(TypeKind::Template), scope))
    if (TemplateType* t = dyn<TemplateType>(found->type)) return t;
  fresh = true;
  TemplateType* t = ctx_.templateType(name, scope);
  Symbol* s = table_.declareTag(name, t, scope);
  s->file = file;
  s->line = line;
  t->templated = s;
  log(DeclKind::Template, name, scope, t, 0);
  return t;
}

void DeclarationRecorder::namespaceOpened(Name name, int scope, int opened) {
  if (!log_) return;
  if (!loggedNamespaces_.insert(opened).second) return;  // a reopened namespace is logged once
  log(DeclKind::Namespace, name, scope, nullptr, 0);
}

// ---------------------------------------------------------------------------
// The dump.

const char* declKindWord(DeclKind kind) {
  switch (kind) {
    case DeclKind::Variable: return "variable";
    case DeclKind::Function: return "function";
    case DeclKind::Typedef: return "typedef";
    case DeclKind::Struct: return "struct";
    case DeclKind::Class: return "class";
    case DeclKind::Union: return "union";
    case DeclKind::Enum: return "enum";
    case DeclKind::Enumerator: return "enumerator";
    case DeclKind::Namespace: return "namespace";
    case DeclKind::Field: return "field";
    case DeclKind::Method: return "method";
    case DeclKind::Template: return "template";
  }
  return "?";
}

std::string dumpDeclaration(const DeclaredItem& item, const SymbolTable& table) {
  std::string out = declKindWord(item.kind);
  out += '\t';
  std::string path = table.scopePath(item.scope);
  if (!path.empty()) out += path + "::";
  out += item.name.text();
  out += '\t';
  const FunctionType* f = (item.kind == DeclKind::Function || item.kind == DeclKind::Method) ? functionOf(item.type)
                                                                                              : nullptr;
  if (f) {
    std::size_t n = f->parameters.size();
    const bool ellipsis = n > 0 && isEllipsis(f->parameters[n - 1]);
    if (ellipsis) --n;
    out += std::to_string(n);
    if (ellipsis) out += '+';
  } else {
    out += '-';
  }
  out += '\t';
  ImageOptions o;
  o.table = &table;
  o.requestingScope = item.scope;
  switch (item.kind) {
    case DeclKind::Namespace:
      out += "namespace " + item.name.text();
      break;
    case DeclKind::Enumerator:
      out += item.name.text() + " = " + std::to_string(item.value);
      break;
    case DeclKind::Struct: case DeclKind::Class: case DeclKind::Union: case DeclKind::Enum:
      o.tagKeywords = true;
      out += typeImage(item.type, {}, o);
      break;
    case DeclKind::Template:
      if (targetOf(item.type) && targetOf(item.type)->isStructured()) {
        out += typeImage(item.type, {}, o);
        break;
      }
      {
        // The storage words of a function template follow its prefix.
        std::string image = typeImage(item.type, item.name.view(), o);
        std::size_t at = 0;
        if (image.starts_with("template <")) {
          int depth = 0;
          for (std::size_t i = 9; i < image.size(); ++i) {
            if (image[i] == '<') ++depth;
            else if (image[i] == '>' && --depth == 0) {
              at = i + 1;
              break;
            }
          }
          if (at < image.size() && image[at] == ' ') ++at;
        }
        out += image.substr(0, at) + storageImage(item.storage) + image.substr(at);
      }
      break;
    case DeclKind::Typedef:
      out += storageImage(item.storage) + typeImage(targetOf(item.type), item.name.view(), o);
      break;
    default:
      if (f && f->target == nullptr) {
        // Constructors, destructors and conversion operators have no result.
        out += storageImage(item.storage) + item.name.text() + "(" + parameterListImage(f, o) + ")";
        if (f->constMethod) out += " const";
        break;
      }
      out += storageImage(item.storage) + typeImage(item.type, item.name.view(), o);
      break;
  }
  for (char& c : out)
    if (c == '\n') c = ' ';
  return out;
}

std::string dumpDeclarations(const DeclarationLog& log, const SymbolTable& table) {
  std::string out;
  for (const DeclaredItem& i : log) {
    out += dumpDeclaration(i, table);
    out += '\n';
  }
  return out;
}

}  // namespace zenta::analyser
