// The declaration parser: declaration specifiers, type names, classes and
// enumerations.
#include <algorithm>
#include <cctype>

#include "analyser/ast/images.h"
#include "analyser/parse/decl_parser_state.h"

namespace zenta::analyser::declparse {

namespace {

bool isBaseKeyword(Tok t) {
  switch (t) {
    case Tok::KwChar: case Tok::KwShort: case Tok::KwInt: case Tok::KwLong: case Tok::KwSigned:
    case Tok::KwUnsigned: case Tok::KwFloat: case Tok::KwDouble: case Tok::KwVoid: case Tok::KwBool:
    case Tok::KwWcharT:
      return true;
    default:
      return false;
  }
}

unsigned storageBit(Tok t) {
  switch (t) {
    case Tok::KwTypedef: return StTypedef;
    case Tok::KwFriend: return StFriend;
    case Tok::KwExtern: return StExtern;
    case Tok::KwStatic: return StStatic;
    case Tok::KwAuto: return StAuto;
    case Tok::KwRegister: return StRegister;
    case Tok::KwOverload: return StOverload;
    case Tok::KwInline: return StInline;
    case Tok::KwVirtual: return StVirtual;
    case Tok::KwExport: return StExport;
    case Tok::KwExplicit: return StExplicit;
    case Tok::KwMutable: return StMutable;
    default: return 0;
  }
}

}  // namespace

bool Parser::isCurrentClassName(Name name) const {
  if (!currentClass_ || !name) return false;
  if (currentClass_->name == name) return true;
  const std::string_view own = currentClass_->name.view();
  const std::size_t lt = own.find('<');
  return lt != std::string_view::npos && own.substr(0, lt) == name.view();
}

Type* Parser::placeholder(std::string_view text) {
  auto it = placeholders_.find(text);
  if (it != placeholders_.end()) return it->second;
  // A typedef name standing for an incomplete structure: written as its
  // name, and nothing to test.
  const std::string_view kept = ctx_.copyText(text);
  const Name name = internName(kept);
  Type* t = ctx_.typedefType(name, ctx_.structureType(name, false, kGlobalScope), kGlobalScope);
  placeholders_.emplace(kept, t);
  return t;
}

Type* Parser::templateParameterType(Name name) { return placeholder(name.view()); }

bool Parser::isPlaceholderType(const Type* t) const {
  while (t && t->kind == TypeKind::Modified) t = targetOf(t);
  if (!t || t->kind != TypeKind::Typedef) return false;
  const std::string_view n = t->name.view();
  return (n == "auto" || n.starts_with("decltype")) && placeholders_.count(n) > 0;
}

Type* Parser::typeOfExpression() {
  const char* start = tok_.text.data();
  advance();  // decltype, __typeof__, __underlying_type ...
  if (!at(Tok::LParen)) fail();
  skipBalanced();
  return placeholder(compactText(textFrom(start)));
}

Type* Parser::charType(Tok t) {
  const Name name = internName(lex::tokenSpelling(t));
  auto it = builtins_.find(name);
  if (it != builtins_.end()) return it->second;
  const char* stands = t == Tok::KwChar16T ? "unsigned short" : t == Tok::KwChar32T ? "unsigned" : "unsigned char";
  Type* type = ctx_.typedefType(name, ctx_.integerType(stands), kGlobalScope);
  builtins_.emplace(name, type);
  return type;
}

Type* Parser::builtinType(Name name) {
  auto it = builtins_.find(name);
  if (it != builtins_.end()) return it->second;
  const std::string_view w = name.view();
  Type* stands;
  if (w == "__builtin_va_list") stands = ctx_.pointerTo(ctx_.voidType());
  else if (w == "_Float32" || w == "_Float16" || w == "__bf16") stands = ctx_.floatingType("float");
  else if (w == "_Float64" || w == "_Float32x") stands = ctx_.floatingType("double");
  else if (w == "__int128" || w == "__int128_t") stands = ctx_.integerType("long long");
  else if (w == "__uint128_t") stands = ctx_.integerType("unsigned long long");
  else if (w == "_Bool") return builtins_[name] = ctx_.integerType("bool");
  else stands = ctx_.floatingType("long double");
  Type* t = ctx_.typedefType(name, stands, kGlobalScope);
  builtins_.emplace(name, t);
  return t;
}

Type* Parser::namedType(Name name, lex::NameClass c, int from) {
  for (auto it = templateNames_.rbegin(); it != templateNames_.rend(); ++it)
    if (it->name == name) return templateParameterType(name);
  if (gnuWord(name) == GnuWord::BuiltinType) return builtinType(name);
  if (c == lex::NameClass::TypeName) {
    SymbolFilter f;
    f.storageAll = StTypedef;
    if (Symbol* s = table_.lookupSymbol(name, from, f)) return s->type;
  }
  const int kinds[] = {static_cast<int>(TypeKind::Template), static_cast<int>(TypeKind::Structure),
                       static_cast<int>(TypeKind::Union), static_cast<int>(TypeKind::Enumeration)};
  for (int k : kinds)
    if (Symbol* s = table_.lookupTag(name, k, from)) {
      if (TemplateType* t = dyn<TemplateType>(s->type)) return t->target ? t->target : t;
      return s->type;
    }
  return nullptr;
}

int Parser::qualifierScope(Name name, Type* instance, int from, bool& dependent) {
  if (instance) {
    StructuredType* s = dyn<StructuredType>(instance);
    if (s && s->memberScope == 0) {
      // The template's body may have been read after the instance was first
      // named.
      auto it = instanceOf_.find(s);
      if (it != instanceOf_.end())
        if (const StructuredType* body = dyn<StructuredType>(it->second->target)) {
          s->memberScope = body->memberScope;
          copyBases(s, body);
        }
    }
    return s && s->memberScope > 0 ? s->memberScope : -1;
  }
  for (auto it = templateNames_.rbegin(); it != templateNames_.rend(); ++it)
    if (it->name == name) {
      dependent = true;
      return -1;
    }
  const int origin = from < 0 ? scope() : from;
  if (const int s = table_.lookupScope(name, origin); s > 0) return s;
  if (auto it = namespaceAliases_.find(name); it != namespaceAliases_.end()) return it->second;
  SymbolFilter f;
  f.storageAll = StTypedef;
  if (Symbol* td = table_.lookupSymbol(name, origin, f)) {
    const Type* t = stripTypedefsAndModifiers(td->type);
    if (const StructuredType* s = dyn<StructuredType>(t); s && s->memberScope > 0) return s->memberScope;
    if (t && placeholders_.count(t->name.view())) dependent = true;
  }
  return -1;
}

// `<` ... `>`: the arguments as written (between the brackets) and their
// count. Nested brackets, parentheses and `>>` closing two levels are
// followed without recursion.
std::string_view Parser::templateArguments(int* count) {
  advance();  // <
  const char* start = tok_.text.data();
  int angles = 1;
  int parens = 0;
  int n = at(Tok::Greater) ? 0 : 1;
  const char* end = start;
  Tok previous = Tok::Less;
  for (;;) {
    const Tok current = tok_.code;
    switch (tok_.code) {
      case Tok::End: fail();
      case Tok::LParen: case Tok::LBracket: ++parens; break;
      case Tok::RParen: case Tok::RBracket:
        if (--parens < 0) fail();
        break;
      case Tok::LBrace:
        if (!modern_) fail();
        ++parens;  // `X<T{}>`
        break;
      case Tok::RBrace:
        if (!modern_ || --parens < 0) fail();
        break;
      case Tok::Semicolon: fail();
      case Tok::Less:
        // After a name it opens an argument list; after `)` or a constant
        // it compares (`integral_constant<bool, T(-1) < T(0)>`).
        if (parens == 0 && (!modern_ || opensArguments(previous))) ++angles;
        break;
      case Tok::Comma:
        if (parens == 0 && angles == 1) ++n;
        break;
      case Tok::Greater:
        if (parens == 0 && --angles == 0) {
          end = tok_.text.data();
          advance();
          if (count) *count = n;
          return {start, static_cast<std::size_t>(end - start)};
        }
        break;
      case Tok::ShiftRight:
        if (parens == 0 && modern_ && angles == 1) {
          // `A<B<C>>` read from the inner list: its `>` is the first.
          end = tok_.text.data();
          splitGreater();
          if (count) *count = n;
          return {start, static_cast<std::size_t>(end - start)};
        }
        if (parens == 0) {
          angles -= 2;
          if (angles <= 0) {
            // `A<B<C>>`: the inner list closes here; the outer one is left
            // to its reader, which sees a `>` no more.
            end = tok_.text.data() + (modern_ && angles == 0 ? 1 : 0);
            advance();
            if (count) *count = n;
            return {start, static_cast<std::size_t>(end - start)};
          }
        }
        break;
      default: break;
    }
    previous = current;
    advance();
  }
}

// A use of a template with arguments: the record of that instance, one per
// template and argument text. The argument count must fit the template's
// parameters ("TEMINSINC").
Type* Parser::templateId(Name name, int scopeOfTemplate, Type* templ) {
  int count = 0;
  const Mark opening = mark();
  const std::string_view args = templateArguments(&count);
  std::string text = name.text();
  text += '<';
  std::string written = compactText(args);
  if (modern_) {
    // `V<V<int>>` names the instance `V<V<int> >` too.
    for (std::size_t i = written.find(">>"); i != std::string::npos; i = written.find(">>", i + 2))
      written.insert(i + 1, " ");
  }
  text += written;
  if (!text.empty() && text.back() == '>') text += ' ';
  text += '>';
  const TemplateType* t = dyn<TemplateType>(templ);
  // Arguments that expand a pack (`Ts...`) may stand for any number.
  if (t && !t->templateParameters.empty() && !(modern_ && args.find("...") != std::string_view::npos)) {
    int required = 0;
    bool pack = false;
    for (const TemplateParameter& p : t->templateParameters) {
      if (p.pack) pack = true;
      else if (p.defaultText.empty()) ++required;
    }
    if ((count > static_cast<int>(t->templateParameters.size()) && !pack) || count < required) {
      syncPosition();
      recorder_.report(3, "TEMINSINC", text);
    }
  }
  // Instances are one per template: templates of one name in two scopes
  // (`std::basic_string<char>`, `lib::basic_string<char>`) have instances of
  // their own, the later ones kept under a key that names the scope.
  std::string key = text;
  auto it = placeholders_.find(key);
  if (it != placeholders_.end() && t && it->second->scope != scopeOfTemplate) {
    key += '@' + std::to_string(scopeOfTemplate);
    it = placeholders_.find(key);
  }
  if (it != placeholders_.end()) return it->second;
  const std::string_view kept = ctx_.copyText(text);
  StructuredType* s = ctx_.structureType(internName(kept), false, scopeOfTemplate);
  if (t) instanceOf_.emplace(s, const_cast<TemplateType*>(t));
  placeholders_.emplace(key == text ? kept : ctx_.copyText(key), s);
  if (t && t->target)
    if (const StructuredType* body = dyn<StructuredType>(t->target)) {
      s->memberScope = body->memberScope;
      copyBases(s, body);
      s->isClass = body->isClass;
      if (body->complete && !body->members.empty()) fillInstance(s, t, body, argumentTypes(opening));
    }
  return s;
}

// The types of the arguments of a template-id, read again quietly from its
// `<`: null for an argument that is no type. The tokens are left as they
// were.
std::vector<Type*> Parser::argumentTypes(const Mark& opening) {
  const Mark end = mark();
  std::vector<Type*> out;
  reset(opening);
  advance();  // <
  const MessageHook contextHook = ctx_.messageHook();
  ctx_.setMessageHook(nullptr);
  recorder_.setHook(nullptr);
  ++quiet_;
  auto restore = [&] {
    --quiet_;
    recorder_.setHook(request_.hook);
    ctx_.setMessageHook(contextHook);
    reset(end);
  };
  try {
    DepthGuard guard(*this);
    for (int i = 0; i < 64; ++i) {
      Type* a = nullptr;
      const Mark before = mark();
      try {
        a = typeId();
        if (!at(Tok::Comma) && !at(Tok::Greater) && !at(Tok::ShiftRight)) a = nullptr;
      } catch (const SyntaxFault&) {
        a = nullptr;
      }
      if (!a) {
        reset(before);
        skipExpression(true);
      }
      out.push_back(a);
      if (!accept(Tok::Comma)) break;
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return out;
}

// The members of an instance: those of the template's body, the template's
// type parameters replaced by the arguments.
void Parser::fillInstance(StructuredType* instance, const TemplateType* templ, const StructuredType* body,
                          const std::vector<Type*>& arguments) {
  std::vector<std::pair<const Type*, Type*>> map;
  for (std::size_t i = 0; i < templ->templateParameters.size() && i < arguments.size(); ++i) {
    const TemplateParameter& p = templ->templateParameters[i];
    if (p.kind == TemplateParameterKind::Type && p.name && arguments[i]) map.push_back({placeholder(p.name.view()), arguments[i]});
  }
  for (Symbol* m : body->members) {
    if (!m) continue;
    Symbol* c = ctx_.makeMember(m->name, substitute(m->type, map, 0), m->storage, m->scope, m->access);
    c->file = m->file;
    c->line = m->line;
    c->defined = m->defined;
    ctx_.addMember(instance, c);
  }
}

Type* Parser::substitute(Type* t, const std::vector<std::pair<const Type*, Type*>>& map, int depth) {
  if (!t || map.empty() || depth > 64) return t;
  for (const auto& [from, to] : map)
    if (t == from) return to;
  switch (t->kind) {
    case TypeKind::Pointer: {
      const PointerType* p = as<PointerType>(t);
      Type* inner = substitute(p->target, map, depth + 1);
      if (inner == p->target) return t;
      return p->memberOf ? ctx_.memberPointerTo(p->memberOf, inner, p->modifiers) : ctx_.pointerTo(inner, p->modifiers);
    }
    case TypeKind::Reference: {
      const ReferenceType* r = as<ReferenceType>(t);
      Type* inner = substitute(r->target, map, depth + 1);
      return inner == r->target ? t : ctx_.referenceTo(inner, r->modifiers);
    }
    case TypeKind::Modified: {
      Type* target = targetOf(t);
      Type* inner = substitute(target, map, depth + 1);
      return inner == target ? t : ctx_.modifiedType(t->name, inner);
    }
    case TypeKind::Typedef: {
      // A typedef of the body that stands for a parameter gives the argument.
      Type* target = targetOf(t);
      Type* inner = substitute(target, map, depth + 1);
      return inner == target ? t : inner;
    }
    case TypeKind::Array: {
      const ArrayType* a = as<ArrayType>(t);
      Type* inner = substitute(a->target, map, depth + 1);
      if (inner == a->target) return t;
      if (!a->hasDimension) return ctx_.arrayOf(inner);
      return a->dimensionIsConstant ? ctx_.arrayOf(inner, a->dimensionText, a->dimensionValue)
                                    : ctx_.arrayOf(inner, a->dimensionText);
    }
    case TypeKind::Function: {
      const FunctionType* f = as<FunctionType>(t);
      FunctionType* g = ctx_.functionType(substitute(f->target, map, depth + 1));
      for (Symbol* p : f->parameters) {
        Symbol* q = ctx_.makeParameter(p->name, substitute(p->type, map, depth + 1));
        if (p->hasDefault) ctx_.setDefaultArgument(q, p->defaultText());
        ctx_.addParameter(g, q);
      }
      for (Type* e : f->exceptions) ctx_.addException(g, e);
      g->hasExceptionList = f->hasExceptionList;
      g->constMethod = f->constMethod;
      return g;
    }
    default:
      return t;
  }
}

int Parser::nestedNameSpecifier(bool& any, bool& dependent, bool stopBeforeLast) {
  (void)stopBeforeLast;
  int q = -1;
  if (at(Tok::ColonColon)) {
    advance();
    q = kGlobalScope;
    any = true;
  }
  for (;;) {
    if (at(Tok::KwTemplate)) advance();
    if (!at(Tok::Identifier)) return q;
    const Token& nx = peek();
    if (nx.code == Tok::ColonColon) {
      const Name n = tok_.name;
      advance();
      advance();
      any = true;
      if (!dependent) q = qualifierScope(n, nullptr, q, dependent);
      if (q < 0 && !dependent) q = -2;
      continue;
    }
    if (nx.code == Tok::Less) {
      const lex::NameClass c = q >= 0 && !dependent && table_.classify(tok_.name, q) == IdentifierClass::TemplateName
                                   ? lex::NameClass::TemplateName
                                   : classify(tok_);
      if (c != lex::NameClass::TemplateName && !dependent) {
        // A template the tables do not know from here (a base's name seen
        // through the class), followed by `::`: a dependent qualifier.
        if (!modern_ || !angledQualifier()) return q;
        any = true;
        dependent = true;
        q = -1;
        continue;
      }
      const Mark m = mark();
      const Name n = tok_.name;
      advance();
      Type* templ = nullptr;
      if (Symbol* s = table_.lookupTag(n, static_cast<int>(TypeKind::Template), q >= 0 ? q : scope()))
        templ = s->type;
      Type* inst = templateId(n, templ ? templ->scope : scope(), templ);
      if (!at(Tok::ColonColon)) {
        reset(m);
        return q;
      }
      advance();
      any = true;
      if (!dependent) q = qualifierScope(n, inst, q, dependent);
      if (q < 0 && !dependent) q = -2;
      continue;
    }
    return q;
  }
}

// A type name at the current token: `T`, `A::B::T`, `::T`, `V<int>`,
// `V<int>::iterator`, a template parameter or a name depending on one. Gives
// null and reads nothing when the tokens name no type (a declarator, a
// constructor `A::A(`).
Type* Parser::typeName(Specifiers& specs) {
  const Mark m = mark();
  const char* start = tok_.text.data();
  int q = -1;  // -1: not qualified
  bool dependent = false;
  bool qualified = false;
  if (modern_ && (at(Tok::KwDecltype) || (at(Tok::Identifier) && gnuWord(tok_.name) == GnuWord::TypeOf))) {
    Type* t = typeOfExpression();
    if (!at(Tok::ColonColon)) return t;
    // `decltype (e)::type`: a name that depends on the expression.
    while (accept(Tok::ColonColon)) {
      accept(Tok::KwTemplate);
      if (!at(Tok::Identifier)) fail();
      advance();
      if (at(Tok::Less)) skipAngles();
    }
    specs.dependent = true;
    return placeholder(compactText(textFrom(start)));
  }
  if (at(Tok::ColonColon)) {
    advance();
    q = kGlobalScope;
    qualified = true;
  }
  for (;;) {
    if (qualified && at(Tok::KwTemplate)) advance();
    if (!at(Tok::Identifier)) {
      reset(m);
      return nullptr;
    }
    const Token name = tok_;
    const int from = q >= 0 ? q : scope();
    lex::NameClass c = dependent ? lex::NameClass::TypeName : classify(name);
    if (qualified && !dependent && q >= 0) {
      switch (table_.classify(name.name, q)) {
        case IdentifierClass::TemplateName: c = lex::NameClass::TemplateName; break;
        case IdentifierClass::ClassName: c = lex::NameClass::ClassName; break;
        case IdentifierClass::TypeName: c = lex::NameClass::TypeName; break;
        default: c = lex::NameClass::Plain; break;
      }
    }
    if (c == lex::NameClass::Modifier && !qualified) {
      reset(m);
      return nullptr;
    }
    advance();
    Type* instance = nullptr;
    if (at(Tok::Less) && (c == lex::NameClass::TemplateName || (dependent && qualified))) {
      Type* templ = nullptr;
      if (!dependent)
        if (Symbol* s = table_.lookupTag(name.name, static_cast<int>(TypeKind::Template), from)) templ = s->type;
      instance = templateId(name.name, templ ? templ->scope : from, templ);
    }
    if (at(Tok::ColonColon)) {
      // A constructor or destructor defined outside its class: `A::A(`,
      // `A::~A(`; not a type.
      const Token& nx = peek();
      if (nx.code == Tok::Tilde) {
        reset(m);
        return nullptr;
      }
      if (nx.code == Tok::Identifier && nx.name == name.name) {
        reset(m);
        return nullptr;
      }
      advance();
      qualified = true;
      if (!dependent) q = qualifierScope(name.name, instance, q, dependent);
      if (q < 0 && !dependent) {
        // Through an instance whose members are not known (an alias
        // template, a template declared only): a name of that instance.
        if (modern_ && instance && at(Tok::Identifier)) {
          dependent = true;
          continue;
        }
        reset(m);
        return nullptr;
      }
      continue;
    }
    if (dependent) {
      specs.dependent = true;
      return placeholder(textFrom(start));
    }
    if (instance) return instance;
    if (c == lex::NameClass::Plain || c == lex::NameClass::Modifier) {
      reset(m);
      return nullptr;
    }
    if (!qualified && isCurrentClassName(name.name) && at(Tok::LParen)) {
      reset(m);
      return nullptr;
    }
    Type* t = namedType(name.name, c, from);
    if (!t) {
      reset(m);
      return nullptr;
    }
    return t;
  }
}

void Parser::addBaseType(Specifiers& specs, Type* t) {
  if (specs.type == nullptr) {
    specs.type = t;
    return;
  }
  syncPosition();
  ctx_.setPosition(tok_.file.text(), tok_.line);
  specs.type = ctx_.composeType(specs.type, t, &table_);
}

void Parser::specifiers(Specifiers& specs, bool inParameters) {
  for (;;) {
    if (skipGnuNoise(&specs)) continue;
    const Tok t = tok_.code;
    if (modern_) {
      switch (t) {
        case Tok::KwConstexpr: case Tok::KwConstinit:
          specs.constexprWord = true;
          advance();
          continue;
        case Tok::KwConsteval: case Tok::KwThreadLocal:
          advance();
          continue;
        case Tok::KwExplicit:  // and `explicit (condition)`
          specs.storage |= StExplicit;
          advance();
          if (at(Tok::LParen)) skipBalanced();
          continue;
        case Tok::KwAuto:  // a placeholder type, deduced from the initialiser
          if (specs.hasType) return;
          advance();
          specs.type = placeholder("auto");
          specs.hasType = true;
          continue;
        case Tok::KwDecltype: {
          if (specs.hasType) return;
          Type* tn = typeName(specs);
          if (!tn) fail();
          specs.type = tn;
          specs.hasType = true;
          continue;
        }
        case Tok::KwChar16T: case Tok::KwChar32T: case Tok::KwChar8T:
          if (specs.hasType) return;
          specs.type = charType(t);
          specs.hasType = true;
          advance();
          continue;
        default:
          break;
      }
    }
    if (const unsigned bit = storageBit(t)) {
      if (t == Tok::KwExtern && peek().code == Tok::StringLiteral) return;
      specs.storage |= bit;
      advance();
      continue;
    }
    if (t == Tok::KwConst) {
      specs.isConst = true;
      advance();
      continue;
    }
    if (t == Tok::KwVolatile) {
      specs.isVolatile = true;
      advance();
      continue;
    }
    if ((t == Tok::KwWcharT || t == Tok::KwBool) && specs.hasType && (specs.storage & StTypedef) &&
        peek().code == Tok::Semicolon) {
      // `typedef int wchar_t;` of a C header: the C++ type is already there.
      advance();
      continue;
    }
    if (t == Tok::Identifier && specs.keywordCount > 0 && specs.type == nullptr && specs.keywordCount < 5 &&
        (tok_.name.view() == "__int128" || tok_.name.view() == "__int128_t")) {
      // `unsigned __int128`: the widest integer the tables have.
      specs.keywords[specs.keywordCount++] = Tok::KwLong;
      specs.keywords[specs.keywordCount++] = Tok::KwLong;
      advance();
      continue;
    }
    if (isBaseKeyword(t) || (t == Tok::Identifier && gnuWord(tok_.name) == GnuWord::Signed)) {
      if (specs.hasType && specs.keywordCount == 0) return;  // `T int`: a declarator follows
      if (specs.keywordCount < 6) specs.keywords[specs.keywordCount++] = t == Tok::Identifier ? Tok::KwSigned : t;
      specs.hasType = true;
      advance();
      continue;
    }
    switch (t) {
      case Tok::KwClass: case Tok::KwStruct: case Tok::KwUnion:
        if (specs.hasType) return;
        classSpecifier(specs);
        continue;
      case Tok::KwEnum:
        if (specs.hasType) return;
        enumSpecifier(specs);
        continue;
      case Tok::KwTypename: {
        if (specs.hasType) return;
        advance();
        Type* tn = typeName(specs);
        if (!tn) {
          // A name depending on a template parameter.
          const char* start = tok_.text.data();
          bool any = false, dependent = true;
          nestedNameSpecifier(any, dependent, false);
          if (!at(Tok::Identifier)) fail();
          advance();
          if (at(Tok::Less)) templateArguments(nullptr);
          tn = placeholder(textFrom(start));
        }
        specs.type = tn;
        specs.hasType = true;
        specs.dependent = true;
        continue;
      }
      case Tok::Identifier: {
        if (gnuWord(tok_.name) == GnuWord::TypeOf) {
          if (specs.hasType) return;
          if (modern_) {
            specs.type = typeName(specs);
            if (!specs.type) fail();
          } else {
            advance();
            if (!at(Tok::LParen)) fail();
            skipBalanced();
            specs.type = ctx_.integerType("int");
          }
          specs.hasType = true;
          continue;
        }
        const lex::NameClass c = classify(tok_);
        if (c == lex::NameClass::Modifier) {
          if (specs.modifierCount < 4) specs.modifiers[specs.modifierCount++] = tok_.name;
          advance();
          continue;
        }
        if (specs.hasType && specs.keywordCount > 0 && specs.type == nullptr && c != lex::NameClass::Plain &&
            (peek().code == Tok::Identifier || peek().code == Tok::Star || peek().code == Tok::Amp)) {
          // `unsigned S x`: a base type and a type name, which do not combine.
          if (Type* tn = typeName(specs)) {
            specs.type = tn;
            continue;
          }
        }
        if (specs.hasType || c == lex::NameClass::Plain) {
          if (specs.hasType) return;
          // A constrained placeholder: `C auto`, `ns::C<T> auto&&`.
          if (cxx20_ && typeConstraint(true)) continue;
          // A plain name may still start a qualified type name (`N::T`).
          if (peek().code != Tok::ColonColon) return;
        }
        [[fallthrough]];
      }
      case Tok::ColonColon: {
        if (specs.hasType) return;
        Type* tn = typeName(specs);
        if (!tn && cxx20_ && typeConstraint(true)) continue;
        if (!tn) return;
        specs.type = tn;
        specs.hasType = true;
        continue;
      }
      default:
        (void)inParameters;
        return;
    }
  }
}

void Parser::finishSpecifiers(Specifiers& specs) {
  if (specs.keywordCount > 0) {
    Type* base = nullptr;
    if (specs.keywordCount == 1) {
      base = ctx_.baseTypeForKeyword(lex::tokenSpelling(specs.keywords[0]));
    } else {
      std::string words;
      for (int i = 0; i < specs.keywordCount; ++i) {
        if (i) words += ' ';
        words += lex::tokenSpelling(specs.keywords[i]);
      }
      base = ctx_.integerType(words);
      if (!base) {
        syncPosition();
        ctx_.setPosition(tok_.file.text(), tok_.line);
        for (int i = 0; i < specs.keywordCount; ++i) {
          Type* k = ctx_.baseTypeForKeyword(lex::tokenSpelling(specs.keywords[i]));
          base = i == 0 ? k : ctx_.composeType(base, k, &table_);
          if (!base) break;
        }
      }
    }
    if (specs.type && base) {
      ctx_.setPosition(tok_.file.text(), tok_.line);
      specs.type = ctx_.composeType(base, specs.type, &table_);
    } else if (base) {
      specs.type = base;
    }
    specs.keywordCount = 0;
  }
  Type* t = specs.type;
  if ((specs.isConst || specs.isVolatile || specs.modifierCount > 0) && t == nullptr) t = ctx_.integerType("int");
  for (int i = specs.modifierCount - 1; i >= 0; --i) t = ctx_.modifiedType(specs.modifiers[i], t);
  specs.modifierCount = 0;
  if (specs.isVolatile) t = ctx_.qualifiedType(t, volatileWord_);
  if (specs.isConst) t = ctx_.qualifiedType(t, constWord_);
  specs.isConst = specs.isVolatile = false;
  specs.type = t;
}

// ---------------------------------------------------------------------------
// Classes, structures and unions.

void Parser::classSpecifier(Specifiers& specs) {
  const Tok key = tok_.code;
  const bool isUnion = key == Tok::KwUnion;
  const bool isClass = key == Tok::KwClass;
  const TypeKind kind = isUnion ? TypeKind::Union : TypeKind::Structure;
  advance();
  while (skipGnuNoise(nullptr)) {
  }
  Name name;
  int q = -1;
  bool qualified = false, dependent = false;
  Type* instance = nullptr;
  std::string_view written;
  if (at(Tok::Identifier) || at(Tok::ColonColon)) {
    const char* start = tok_.text.data();
    bool any = false;
    q = nestedNameSpecifier(any, dependent, true);
    qualified = any;
    if (!at(Tok::Identifier)) fail();
    name = tok_.name;
    advance();
    if (at(Tok::Less)) {
      Type* templ = nullptr;
      if (Symbol* s = table_.lookupTag(name, static_cast<int>(TypeKind::Template), q >= 0 ? q : scope()))
        templ = s->type;
      instance = templateId(name, templ ? templ->scope : scope(), templ);
      if (!templ && !dependent && q != -2) {
        // Arguments given to a class that is no template.
        syncPosition();
        recorder_.report(3, "TEMINSINC", instance->name.text());
      }
    }
    written = textFrom(start);
    while (skipGnuNoise(nullptr)) {
    }
    if (modern_ && at(Tok::Identifier) && tok_.name == finalWord_ &&
        (peek().code == Tok::LBrace || peek().code == Tok::Colon))
      advance();  // `class X final {`
  }
  specs.hasType = true;
  const bool definition = at(Tok::LBrace) || at(Tok::Colon);
  syncPosition();
  if (!definition) {
    // A use or a forward declaration.
    specs.tagOnly = true;
    if (!name) fail();
    if (instance) {
      specs.type = instance;
      return;
    }
    if (dependent || (qualified && q < 0)) {
      specs.type = placeholder(written);
      return;
    }
    if (templateLevels_ > 0 && !explicitSpecialisation_ && !(specs.storage & StFriend)) {
      bool fresh = false;
      TemplateType* tt = recorder_.templateTag(name, q >= 0 ? q : scope(), tok_.file, tok_.line, fresh);
      mergeTemplateParameters(tt, fresh, name);
      if (!tt->target) tt->target = ctx_.structureType(name, isClass, tt->scope);
      specs.type = tt->target;
      return;
    }
    if (Symbol* s = table_.lookupTag(name, static_cast<int>(TypeKind::Template), q >= 0 ? q : scope())) {
      specs.type = as<TemplateType>(s->type)->target ? as<TemplateType>(s->type)->target : s->type;
      return;
    }
    if (specs.storage & StFriend) {
      // A friend names a class; it declares none in the befriending class.
      if (currentClass_) ctx_.addFriend(currentClass_, name);
      Symbol* known = table_.lookupTag(name, static_cast<int>(kind), q >= 0 ? q : scope());
      specs.type = known ? known->type : ctx_.structureType(name, isClass, scope());
      return;
    }
    const bool here = at(Tok::Semicolon);
    int home = q >= 0 ? q : scope();
    if (!here && q < 0) {
      // `struct X *p` naming no visible class declares X in the enclosing
      // namespace, not in a class being defined.
      if (Symbol* visible = table_.lookupTag(name, static_cast<int>(kind), home)) {
        specs.type = visible->type;
        return;
      }
      while (home > 0 && table_.scope(home).kind == ScopeKind::Class) home = table_.parentOf(home);
    }
    specs.type = recorder_.tag(kind, name, isClass, home, false, here, tok_.file, tok_.line);
    return;
  }
  // A definition.
  StructuredType* s = nullptr;
  const int home = q >= 0 ? q : scope();
  if (instance) {
    s = as<StructuredType>(instance);
    s->members = {};  // its own body, not the template's
  } else if (name && templateLevels_ > 0 && !explicitSpecialisation_) {
    bool fresh = false;
    TemplateType* tt = recorder_.templateTag(name, home, tok_.file, tok_.line, fresh);
    mergeTemplateParameters(tt, fresh, name);
    StructuredType* body = dyn<StructuredType>(tt->target);
    if (body && body->complete) {
      recorder_.report(3, "REDEFSTRU", name.text());
      body = nullptr;
    }
    if (!body) {
      body = isUnion ? ctx_.unionType(name, home) : ctx_.structureType(name, isClass, home);
      if (!tt->target || !as<StructuredType>(tt->target)->complete) tt->target = body;
    }
    s = body;
  } else {
    s = as<StructuredType>(
        recorder_.tag(kind, name, isClass, home, true, true, tok_.file, tok_.line));
  }
  s->isClass = isClass;
  specs.type = s;
  specs.definedTag = s;
  if (at(Tok::Colon)) baseClause(s, isUnion);
  const bool entered = home != scope();
  if (entered) table_.enterScope(home);
  classBody(s, isUnion);
  if (entered) table_.closeScope();
}

// Whether `base` is `s` or derives from it, or is already a base of `s`: a
// class never becomes its own base, so the walks through bases end.
bool Parser::derivesFrom(const Type* base, const StructuredType* s) const {
  for (const BaseClass& b : s->bases)
    if (stripTypedefsAndModifiers(b.type) == stripTypedefsAndModifiers(base)) return true;
  std::vector<const StructuredType*> pending, seen;
  if (const StructuredType* b = dyn<StructuredType>(stripTypedefsAndModifiers(base))) pending.push_back(b);
  while (!pending.empty() && seen.size() < 10000) {
    const StructuredType* c = pending.back();
    pending.pop_back();
    if (c == s) return true;
    if (std::find(seen.begin(), seen.end(), c) != seen.end()) continue;
    seen.push_back(c);
    for (const BaseClass& b : c->bases)
      if (const StructuredType* next = dyn<StructuredType>(stripTypedefsAndModifiers(b.type))) pending.push_back(next);
  }
  return false;
}

// An instance of a template takes the bases of its body, but never itself.
void Parser::copyBases(StructuredType* instance, const StructuredType* body) {
  for (const BaseClass& b : body->bases)
    if (!derivesFrom(b.type, instance)) ctx_.addBaseClass(instance, b.type, b.access, b.isVirtual);
}

// The parameters of the `template <...>` prefix given to a class template:
// a new template takes them; a template declared again must have as many
// ("TEMPLADEC") and takes the defaults the new declaration adds.
void Parser::mergeTemplateParameters(TemplateType* tt, bool fresh, Name name) {
  if (templateLists_.empty()) return;
  const std::vector<TemplateParameter>& params = templateLists_.back();
  if (fresh) {
    for (const TemplateParameter& p : params) ctx_.addTemplateParameter(tt, p);
  } else if (tt->templateParameters.size() != params.size()) {
    recorder_.report(3, "TEMPLADEC", name.text());
  } else {
    for (std::size_t i = 0; i < params.size(); ++i)
      if (!params[i].defaultText.empty() && tt->templateParameters[i].defaultText.empty())
        tt->templateParameters[i].defaultText = ctx_.copyText(params[i].defaultText);
  }
}

void Parser::baseClause(StructuredType* s, bool isUnion) {
  if (isUnion) {
    report(3, "SYNTAXERR", "<union>::<type>");
    throw SyntaxFault{};
  }
  advance();  // :
  for (;;) {
    bool isVirtual = false;
    Access access = s->isClass ? Access::Private : Access::Public;
    for (;;) {
      if (skipGnuNoise(nullptr)) continue;
      if (accept(Tok::KwVirtual)) isVirtual = true;
      else if (accept(Tok::KwPublic)) access = Access::Public;
      else if (accept(Tok::KwProtected)) access = Access::Protected;
      else if (accept(Tok::KwPrivate)) access = Access::Private;
      else break;
    }
    Specifiers tmp;
    const char* start = tok_.text.data();
    Type* base = typeName(tmp);
    if (!base) {
      // An unknown base: read its name all the same.
      bool any = false, dependent = false;
      nestedNameSpecifier(any, dependent, false);
      if (!at(Tok::Identifier)) fail();
      advance();
      if (at(Tok::Less)) templateArguments(nullptr);
      base = placeholder(textFrom(start));
    }
    if (modern_) accept(Tok::Ellipsis);  // `Bases...`
    if (!derivesFrom(base, s)) ctx_.addBaseClass(s, base, access, isVirtual);
    if (!accept(Tok::Comma)) break;
  }
  if (!at(Tok::LBrace)) fail();
}

void Parser::classBody(StructuredType* s, bool isUnion) {
  DepthGuard guard(*this);
  StructuredType* const outerClass = currentClass_;
  const Access outerAccess = access_;
  const int depth = table_.scopeDepth();
  table_.openScope(s->name, ScopeKind::Class, s);
  if (s->memberScope == 0 || s->memberScope != table_.currentScope()) s->memberScope = table_.currentScope();
  currentClass_ = s;
  access_ = (s->isClass && !isUnion) ? Access::Private : Access::Public;
  advance();  // {
  declarationSeq(true);
  expect(Tok::RBrace);
  s->complete = true;
  currentClass_ = outerClass;
  access_ = outerAccess;
  while (table_.scopeDepth() > depth) table_.closeScope();
}

// ---------------------------------------------------------------------------
// Enumerations.

void Parser::enumSpecifier(Specifiers& specs) {
  advance();  // enum
  // C++11 on: `enum class` / `enum struct` and an underlying type after `:`.
  const bool scoped = modern_ && (accept(Tok::KwClass) || accept(Tok::KwStruct));
  while (skipGnuNoise(nullptr)) {
  }
  Name name;
  int q = -1;
  if (at(Tok::Identifier) || at(Tok::ColonColon)) {
    bool any = false, dependent = false;
    q = nestedNameSpecifier(any, dependent, true);
    if (!at(Tok::Identifier)) fail();
    name = tok_.name;
    advance();
    while (skipGnuNoise(nullptr)) {
    }
  }
  Type* underlying = nullptr;
  if (modern_ && at(Tok::Colon) && (scoped || peek().code != Tok::IntegerConstant)) {
    advance();
    Specifiers u;
    specifiers(u, true);
    if (!u.hasType) fail();
    finishSpecifiers(u);
    underlying = u.type;
  }
  specs.hasType = true;
  syncPosition();
  const int home = q >= 0 ? q : scope();
  if (!at(Tok::LBrace)) {
    if (!name) fail();
    specs.tagOnly = true;
    // An opaque declaration (`enum class E : int;`) declares the tag here.
    const bool here = at(Tok::Semicolon) || (underlying != nullptr) || scoped;
    specs.type = recorder_.tag(TypeKind::Enumeration, name, false, home, false, here, tok_.file, tok_.line);
    if (EnumerationType* e = dyn<EnumerationType>(specs.type); e && (scoped || underlying) && !e->complete) {
      e->scoped = e->scoped || scoped;
      if (underlying) e->underlying = underlying;
    }
    return;
  }
  EnumerationType* e =
      as<EnumerationType>(recorder_.tag(TypeKind::Enumeration, name, false, home, true, true, tok_.file, tok_.line));
  e->scoped = scoped;
  if (underlying) e->underlying = underlying;
  specs.type = e;
  specs.definedTag = e;
  advance();  // {
  std::int64_t next = 0;
  StructuredType* memberOf =
      !scoped && currentClass_ && scope() == currentClass_->memberScope ? currentClass_ : nullptr;
  // The enumerators of a scoped enumeration are in a scope of its own.
  int enumeratorScope = home;
  const int depth = table_.scopeDepth();
  if (scoped) {
    if (home != scope()) table_.enterScope(home);
    enumeratorScope = table_.openScope(name, ScopeKind::Class, e);
    e->memberScope = enumeratorScope;
  }
  while (!at(Tok::RBrace)) {
    if (!at(Tok::Identifier)) fail();
    const Token enumerator = tok_;
    advance();
    while (skipGnuNoise(nullptr)) {
    }
    std::int64_t value = next;
    if (accept(Tok::Assign)) {
      const char* start = tok_.text.data();
      skipExpression(false);
      std::int64_t v = 0;
      if (evaluate(textFrom(start), v)) value = v;
    }
    ctx_.addEnumerator(e, enumerator.name, value);
    recorder_.setPosition(enumerator.file, enumerator.line);
    recorder_.declareEnumerator(enumerator.name, e, value, enumeratorScope, memberOf, enumerator.file,
                                enumerator.line);
    next = value + 1;
    if (!accept(Tok::Comma)) break;
  }
  while (table_.scopeDepth() > depth) table_.closeScope();
  expect(Tok::RBrace);
  e->complete = true;
}

}  // namespace zenta::analyser::declparse
