#include "analyser/sema/expr_node.h"

#include <memory>

#include "analyser/ast/images.h"
#include "analyser/ast/symbols.h"
#include "analyser/lex/char_image.h"

namespace zenta::analyser {

std::string_view operatorSpelling(ExprOp op) {
  switch (op) {
    case ExprOp::None: return "";
    case ExprOp::Negate: return "-";
    case ExprOp::Plus: return "+";
    case ExprOp::BitNot: return "~";
    case ExprOp::LogNot: return "!";
    case ExprOp::Mul: return "*";
    case ExprOp::Div: return "/";
    case ExprOp::Mod: return "%";
    case ExprOp::Add: return "+";
    case ExprOp::Sub: return "-";
    case ExprOp::Shl: return "<<";
    case ExprOp::Shr: return ">>";
    case ExprOp::Lt: return "<";
    case ExprOp::Gt: return ">";
    case ExprOp::Le: return "<=";
    case ExprOp::Ge: return ">=";
    case ExprOp::Eq: return "==";
    case ExprOp::Ne: return "!=";
    case ExprOp::BitAnd: return "&";
    case ExprOp::BitXor: return "^";
    case ExprOp::BitOr: return "|";
    case ExprOp::LogAnd: return "&&";
    case ExprOp::LogOr: return "||";
  }
  return "";
}

bool isComparison(ExprOp op) {
  return op == ExprOp::Lt || op == ExprOp::Gt || op == ExprOp::Le || op == ExprOp::Ge || op == ExprOp::Eq ||
         op == ExprOp::Ne;
}

const Expr* integerConstant(const Expr* e) {
  while (e != nullptr && e->kind == ExprKind::Paren) e = e->lhs;
  return e != nullptr && e->isConstant() ? e : nullptr;
}

std::string integerValueText(const support::ScriptInt& value, const Type* type) {
  std::string out = value.toString(10);
  const std::string words = canonicalIntegerName(type);
  if (words.empty() || words == "int") return out;
  if (words.rfind("unsigned", 0) == 0) out += 'U';
  if (words.find("long long") != std::string::npos)
    out += "LL";
  else if (words.find("long") != std::string::npos)
    out += 'L';
  return out;
}

namespace {

bool isWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

// Whether two characters written side by side would read as another token
// than the two pieces they end and begin.
bool runTogether(char a, char b) {
  if (isWordChar(a) && isWordChar(b)) return true;
  switch (a) {
    case '+': return b == '+' || b == '=';
    case '-': return b == '-' || b == '>' || b == '=';
    case '&': return b == '&' || b == '=';
    case '|': return b == '|' || b == '=';
    case '<': return b == '<' || b == '=';
    case '>': return b == '>' || b == '=';
    case '/': return b == '/' || b == '*' || b == '=';
    case '*': case '%': case '^': case '!': case '=': return b == '=';
    default: return false;
  }
}

class ImageWriter {
 public:
  ImageWriter(const SymbolTable* table, int scope) {
    options_.table = table;
    options_.requestingScope = scope;
  }

  void put(std::string_view s) {
    if (s.empty()) return;
    if (!out_.empty() && runTogether(out_.back(), s.front())) out_ += ' ';
    out_ += s;
  }

  void type(const Type* t) { put(typeImage(t, {}, options_)); }

  void list(const ArenaVector<Expr*>& items) {
    bool first = true;
    for (const Expr* item : items) {
      if (!first) put(",");
      first = false;
      write(item);
    }
  }

  void write(const Expr* e) {
    if (e == nullptr) return;
    switch (e->kind) {
      case ExprKind::Empty: return;
      case ExprKind::Integer:
        put(e->folded || e->scriptNotation ? integerValueText(e->value, e->constType) : std::string(e->text));
        return;
      case ExprKind::Character: {
        const IntegerType* it = dyn<IntegerType>(e->constType);
        const bool narrow = it != nullptr && it->charFlag && e->text.front() == '\'';
        put(narrow ? lex::charConstantImage(e->value.toInt64().value_or(0)) : std::string(e->text));
        return;
      }
      case ExprKind::Floating:
      case ExprKind::String:
      case ExprKind::Qualified:
        put(e->text);
        return;
      case ExprKind::Identifier: put(e->name.view()); return;
      case ExprKind::This: put("this"); return;
      case ExprKind::Paren:
        put("(");
        write(e->lhs);
        put(")");
        return;
      case ExprKind::Subscript:
        write(e->lhs);
        put("[");
        write(e->rhs);
        put("]");
        return;
      case ExprKind::Slice:
        write(e->lhs);
        put("[");
        write(e->rhs);
        put("..");
        write(e->third);
        put("]");
        return;
      case ExprKind::Call:
        write(e->lhs);
        put("(");
        list(e->items);
        put(")");
        return;
      case ExprKind::Member:
      case ExprKind::Arrow:
        write(e->lhs);
        put(e->kind == ExprKind::Member ? "." : "->");
        put(e->name.view());
        return;
      case ExprKind::PtrMemDot:
      case ExprKind::PtrMemArrow:
        write(e->lhs);
        put(e->kind == ExprKind::PtrMemDot ? ".*" : "->*");
        write(e->rhs);
        return;
      case ExprKind::Unary:
        put(operatorSpelling(e->op));
        write(e->lhs);
        return;
      case ExprKind::SizeofExpr:
        put("sizeof(");
        write(e->lhs);
        put(")");
        return;
      case ExprKind::SizeofType:
        put("sizeof(");
        type(e->typeOperand);
        put(")");
        return;
      case ExprKind::Binary:
        write(e->lhs);
        put(operatorSpelling(e->op));
        write(e->rhs);
        return;
      case ExprKind::Conditional:
        put("(");
        write(e->lhs);
        put("?");
        write(e->rhs);
        put(":");
        write(e->third);
        put(")");
        return;
      case ExprKind::AddressOf:
        put("&");
        write(e->lhs);
        return;
      case ExprKind::Indirection:
        put("*");
        write(e->lhs);
        return;
      case ExprKind::Cast:
        put("(");
        type(e->typeOperand);
        put(")");
        write(e->lhs);
        return;
      case ExprKind::NamedCast:
        put(e->text);
        put("<");
        type(e->typeOperand);
        put(">(");
        write(e->lhs);
        put(")");
        return;
      case ExprKind::Construct:
        type(e->typeOperand);
        put("(");
        list(e->items);
        put(")");
        return;
      case ExprKind::Range:
        write(e->lhs);
        put("..");
        write(e->rhs);
        return;
      case ExprKind::Association:
        write(e->lhs);
        put("=>");
        write(e->rhs);
        return;
      case ExprKind::Aggregate:
        put("{");
        list(e->items);
        put("}");
        return;
    }
  }

  std::string take() { return std::move(out_); }

 private:
  std::string out_;
  ImageOptions options_;
};

}  // namespace

std::string expressionImage(const Expr* e, const SymbolTable* table, int scope) {
  ImageWriter w(table, scope);
  w.write(e);
  return w.take();
}

}  // namespace zenta::analyser
