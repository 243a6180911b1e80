#include "analyser/ast/images.h"

#include <cctype>

#include "analyser/ast/symbols.h"

namespace zenta::analyser {
namespace {

// Limits the walk of a malformed chain of records.
constexpr int kLevelLimit = 100000;

const char* tagKeyword(const Type* t) {
  switch (t->kind) {
    case TypeKind::Structure: return as<StructuredType>(t)->isClass ? "class" : "struct";
    case TypeKind::Union: return "union";
    case TypeKind::Enumeration: return "enum";
    default: return "";
  }
}

std::string chainText(ModifierChain chain) {
  std::string out;
  for (Name m : chain) {
    out += ' ';
    out += m.text();
  }
  return out;
}

std::string templateParameterImage(const TemplateParameter& p, const ImageOptions& o) {
  std::string out;
  switch (p.kind) {
    case TemplateParameterKind::Type:
      out = p.typenameWord ? "typename" : "class";
      if (p.pack) out += "...";
      if (!p.name.empty()) out += " " + p.name.text();
      break;
    case TemplateParameterKind::Value:
      out = typeImage(p.valueType, p.pack ? "..." + p.name.text() : p.name.view(), o);
      break;
    case TemplateParameterKind::Template:
      out = "template <class> class";
      if (p.pack) out += "...";
      if (!p.name.empty()) out += " " + p.name.text();
      break;
  }
  if (!p.defaultText.empty()) {
    out += " = ";
    out += p.defaultText;
  }
  return out;
}

std::string bodyImage(const Type* t, const ImageOptions& o) {
  std::string out = " {";
  if (const EnumerationType* en = dyn<EnumerationType>(t)) {
    bool first = true;
    for (const Enumerator& e : en->enumerators) {
      out += first ? " " : ", ";
      first = false;
      out += e.name.text() + " = " + std::to_string(e.value);
    }
    out += " }";
    return out;
  }
  // Named member types are written by name: their own definitions stand
  // elsewhere. Anonymous ones still show their body.
  const StructuredType* s = as<StructuredType>(t);
  ImageOptions inner = o;
  inner.requestingScope = s->memberScope > 0 ? s->memberScope : o.requestingScope;
  inner.definitions = false;
  for (const Symbol* m : s->members) {
    if (!m) continue;
    out += " ";
    out += storageImage(m->storage);
    out += typeImage(m->type, m->name.view(), inner);
    out += ";";
  }
  out += " }";
  return out;
}

// The base part of a named type: keyword, qualified name, body, modifier
// chain.
std::string baseImage(const Type* t, const ImageOptions& o) {
  std::string out;
  switch (t->kind) {
    case TypeKind::Integer:
    case TypeKind::Floating:
      out = t->name.text();
      break;
    case TypeKind::Void:
      out = "void";
      break;
    case TypeKind::Ellipsis:
      out = "...";
      break;
    case TypeKind::Typedef:
      out = qualifiedTypeName(t, o);
      break;
    case TypeKind::Structure:
    case TypeKind::Union:
    case TypeKind::Enumeration: {
      const bool anonymous = t->name.empty();
      const bool body = !t->printing && (anonymous || (o.definitions && as<TagType>(t)->complete));
      if (o.tagKeywords || anonymous || body) out = tagKeyword(t);
      if (!anonymous) {
        if (!out.empty()) out += ' ';
        out += qualifiedTypeName(t, o);
      }
      if (body) {
        t->printing = true;
        out += bodyImage(t, o);
        t->printing = false;
      }
      break;
    }
    case TypeKind::Template:
      out = qualifiedTypeName(t, o);
      break;
    default:
      out = "int";
      break;
  }
  out += chainText(t->modifiers);
  return out;
}

}  // namespace

std::string qualifiedTypeName(const Type* type, const ImageOptions& options) {
  if (!type) return "int";
  std::string name = type->name.text();
  const SymbolTable* table = options.table;
  if (table && type->scope > 0 && type->scope < table->scopeCount() &&
      !table->encloses(type->scope, options.requestingScope)) {
    std::string path = table->scopePath(type->scope, true);
    if (!path.empty()) name = path + "::" + name;
  }
  return name;
}

std::string parameterListImage(const Type* type, const ImageOptions& options) {
  std::string out;
  const FunctionType* function = dyn<FunctionType>(type);
  if (!function) return out;
  ImageOptions o = options;
  o.definitions = false;
  bool first = true;
  for (const Symbol* p : function->parameters) {
    if (!p) continue;
    if (!first) out += ", ";
    first = false;
    if (p->type && p->type->kind == TypeKind::Ellipsis) {
      out += "...";
      continue;
    }
    out += typeImage(p->type, options.parameterNames ? p->name.view() : std::string_view(), o);
  }
  return out;
}

std::string typeImage(const Type* type, std::string_view declarator, const ImageOptions& options) {
  std::string decl(declarator);
  std::string prefix;  // words of modified types and template headers
  ImageOptions o = options;
  const Type* t = type;
  std::string base;
  for (int level = 0;; ++level) {
    if (t == nullptr || level > kLevelLimit) {
      base = "int";
      break;
    }
    if (t->kind == TypeKind::Pointer || t->kind == TypeKind::Reference) {
      std::string op;
      const PointerType* pointer = dyn<PointerType>(t);
      if (!pointer) op = "&";
      else if (pointer->memberOf) op = qualifiedTypeName(pointer->memberOf, o) + "::*";
      else op = "*";
      if (!t->modifiers.empty()) {
        op += chainText(t->modifiers);
        if (!decl.empty()) op += ' ';
      }
      decl = op + decl;
      const Type* next = targetOf(t);
      if (next && (next->kind == TypeKind::Array || next->kind == TypeKind::Function)) decl = "(" + decl + ")";
      t = next;
      continue;
    }
    if (const ArrayType* a = dyn<ArrayType>(t)) {
      decl += "[";
      if (a->hasDimension) {
        if (!a->dimensionText.empty() || !a->dimensionIsConstant) decl += a->dimensionText;
        else decl += std::to_string(a->dimensionValue);
      }
      decl += "]";
      t = a->target;
      continue;
    }
    if (const FunctionType* f = dyn<FunctionType>(t)) {
      decl += "(" + parameterListImage(t, o) + ")";
      if (f->constMethod) decl += " const";
      if (f->hasExceptionList) {
        decl += " throw (";
        bool first = true;
        for (const Type* e : f->exceptions) {
          if (!first) decl += ", ";
          first = false;
          decl += typeImage(e, {}, o);
        }
        decl += ")";
      }
      t = f->target;
      continue;
    }
    if (t->kind == TypeKind::Modified) {
      prefix += t->name.text();
      prefix += ' ';
      t = targetOf(t);
      continue;
    }
    const TemplateType* templ = dyn<TemplateType>(t);
    if (templ && templ->target && !templ->target->printing) {
      prefix += "template <";
      bool first = true;
      for (const TemplateParameter& p : templ->templateParameters) {
        if (!first) prefix += ", ";
        first = false;
        prefix += templateParameterImage(p, o);
      }
      prefix += "> ";
      o.tagKeywords = true;
      t = templ->target;
      if (t->kind == TypeKind::Typedef && t->name == templ->name) {
        // An alias template: `template <class T> using P = T *`.
        prefix += "using " + t->name.text() + " = ";
        decl.clear();
        t = targetOf(t);
      }
      continue;
    }
    base = baseImage(t, o);
    break;
  }
  std::string out = prefix + base;
  if (!decl.empty()) {
    out += ' ';
    out += decl;
  }
  return out;
}

// ---------------------------------------------------------------------------
// Identifier forms.

namespace {
struct OperatorWord {
  const char* op;
  const char* word;
};
constexpr OperatorWord kOperatorWords[] = {
    {"!", "not"},           {"!=", "not_equal"},   {"%", "mod"},
    {"%=", "mod_assign"},   {"&", "andbit"},       {"&=", "and_assign"},
    {"&&", "and"},          {"()", "function_call"}, {"*", "mul"},
    {"*=", "mul_assign"},   {"+", "plus"},         {"+=", "add_assign"},
    {"++", "increment"},    {"-", "minus"},        {"-=", "sub_assign"},
    {"--", "decrement"},    {"->", "ptr"},         {"->*", "arrow_star"},
    {".", "dot"},           {".*", "dot_star"},    {"/", "div"},
    {"/=", "div_assign"},   {"<", "less"},         {"<=", "less_equal"},
    {"<<", "left_shift"},   {"<<=", "left_shift_assign"}, {"=", "assign"},
    {"==", "equal"},        {">", "greater"},      {">=", "greater_equal"},
    {">>", "right_shift"},  {">>=", "right_shift_assign"}, {"[]", "subscript"},
    {"^", "xorbit"},        {"^=", "xor_assign"},  {"|", "orbit"},
    {"|=", "or_assign"},    {"||", "or"},          {"~", "invbit"},
};

bool isIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

std::string plainForm(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (c == ' ') continue;
    out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return out;
}

std::string componentForm(std::string_view name) {
  std::string_view n = name;
  while (!n.empty() && n.front() == ' ') n.remove_prefix(1);
  while (!n.empty() && n.back() == ' ') n.remove_suffix(1);
  if (!n.empty() && n.front() == '~') return "destructor_" + plainForm(n.substr(1));
  constexpr std::string_view kOperator = "operator";
  if (n.substr(0, kOperator.size()) == kOperator && (n.size() == kOperator.size() || !isIdentChar(n[kOperator.size()]))) {
    std::string_view rest = n.substr(kOperator.size());
    std::string_view trimmed = rest;
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
    // "( )" and "[ ]" written with blanks are the same operators.
    std::string compact;
    for (char c : trimmed)
      if (c != ' ') compact += c;
    if (const char* word = operatorWord(compact)) return std::string("operator_") + word;
    std::string out = "operator_";
    for (char c : rest) out += (c == ' ' || c == ':') ? '_' : c;
    return out;
  }
  return plainForm(n);
}
}  // namespace

const char* operatorWord(std::string_view op) {
  for (const auto& w : kOperatorWords)
    if (op == w.op) return w.word;
  return nullptr;
}

std::string identifierForm(std::string_view name) {
  // A qualified name keeps its qualifier in plain form; the last component
  // may be a destructor or an operator.
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i + 1 < name.size(); ++i) {
    if (name[i] == ':' && name[i + 1] == ':') {
      // `operator::` cannot occur; stop at the operator word itself.
      std::string_view before = name.substr(0, i);
      if (before.find("operator") != std::string_view::npos) break;
      last = i;
      ++i;
    }
  }
  if (last == std::string_view::npos) return componentForm(name);
  return plainForm(name.substr(0, last)) + "__" + componentForm(name.substr(last + 2));
}

}  // namespace zenta::analyser
