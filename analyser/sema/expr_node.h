// Expression trees of the script's C/C++ expressions, and their images.
//
// The expression parser (analyser/parse/expr_parser.h) builds the trees, the
// typer (expr_typer.h) types them, and expressionImage() writes one back as
// C text. Nodes come from an arena owned by whoever asked for the parse
// (ExpressionTree below); the type records they point at belong to the
// tables' context and outlive them.
//
//   kind          operands                  image
//   Empty         -                         nothing
//   Integer       value, constType          text as written, or the folded value
//   Character     value, constType          the character image ('\n', '\033')
//   Floating      text                      text as written
//   String        text                      the literal(s) as written
//   Identifier    name                      the name
//   Qualified     text (A::B::x)            the text
//   This          -                         this
//   Paren         lhs                       (e)
//   Subscript     lhs, rhs                  a[i]
//   Slice         lhs, rhs, third           a[i..j]
//   Call          lhs, items                f(a,b)
//   Member        lhs, name                 a.m
//   Arrow         lhs, name                 a->m
//   PtrMemDot     lhs, rhs                  a.*m
//   PtrMemArrow   lhs, rhs                  a->*m
//   Unary         op, lhs                   -e +e ~e !e
//   SizeofExpr    lhs                       sizeof(e)
//   SizeofType    typeOperand               sizeof(T)
//   Binary        op, lhs, rhs              a op b
//   Conditional   lhs, rhs, third           (c?a:b)
//   AddressOf     lhs                       &e
//   Indirection   lhs                       *e
//   Cast          typeOperand, lhs          (T)e
//   NamedCast     text, typeOperand, lhs    static_cast<T>(e)
//   Construct     typeOperand, items        T(a,b)
//   Range         lhs, rhs                  a..b
//   Association   lhs, rhs                  i=>v
//   Aggregate     items                     {a,b}
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "analyser/ast/arena.h"
#include "analyser/ast/types.h"
#include "analyser/basic/names.h"
#include "support/scriptnum.h"

namespace zenta::analyser {

enum class ExprKind : std::uint8_t {
  Empty, Integer, Character, Floating, String, Identifier, Qualified, This,
  Paren, Subscript, Slice, Call, Member, Arrow, PtrMemDot, PtrMemArrow,
  Unary, SizeofExpr, SizeofType, Binary, Conditional, AddressOf, Indirection,
  Cast, NamedCast, Construct, Range, Association, Aggregate,
};

enum class ExprOp : std::uint8_t {
  None,
  // unary
  Negate, Plus, BitNot, LogNot,
  // binary, by decreasing precedence
  Mul, Div, Mod, Add, Sub, Shl, Shr, Lt, Gt, Le, Ge, Eq, Ne, BitAnd, BitXor, BitOr, LogAnd, LogOr,
};

// The C spelling of an operator ("<<", "!").
std::string_view operatorSpelling(ExprOp op);
bool isComparison(ExprOp op);

struct Expr {
  Expr(ExprKind k) : kind(k) {}  // NOLINT: built by the arena

  ExprKind kind;
  ExprOp op = ExprOp::None;
  bool folded = false;       // Integer: the value of a folded operation (no text)
  bool scriptNotation = false;  // Integer: written 0FFh or 101b (imaged by value)
  std::uint16_t height = 1;  // longest path to a leaf, bounded by the parser
  int line = 0;              // script line of the first token

  Expr* lhs = nullptr;
  Expr* rhs = nullptr;
  Expr* third = nullptr;
  ArenaVector<Expr*> items;  // call arguments, aggregate items

  // Constants as written, string literals, qualified names, the keyword of a
  // named cast.
  std::string_view text;
  Name name;  // identifiers, member names

  // Integer and character constants: the value and its C type.
  support::ScriptInt value;
  Type* constType = nullptr;
  // Casts, sizeof(T), T(args): the type written.
  Type* typeOperand = nullptr;

  // The type found by the typer (null before, or when typing failed).
  mutable Type* type = nullptr;

  bool isConstant() const { return kind == ExprKind::Integer || kind == ExprKind::Character; }
};

// An integer or character constant, looking through parentheses; null when
// the expression is not one.
const Expr* integerConstant(const Expr* e);

// The C text of a tree, written without blanks except where the table above
// shows them or where two tokens would otherwise run together (`a- -1`).
// `table`, when given, qualifies type names in casts from `scope`.
class SymbolTable;
std::string expressionImage(const Expr* e, const SymbolTable* table = nullptr, int scope = 0);

// The text of a constant value of a C integer type: decimal, with the suffix
// of its type (U, L, UL, LL, ULL) when it is not int.
std::string integerValueText(const support::ScriptInt& value, const Type* type);

// Nodes of one parse and the arena that holds them. Movable, not copyable.
class ExpressionTree {
 public:
  ExpressionTree() = default;
  ExpressionTree(ExpressionTree&&) noexcept = default;
  ExpressionTree& operator=(ExpressionTree&&) noexcept = default;

  Arena& arena() {
    if (!arena_) arena_ = std::make_unique<Arena>();
    return *arena_;
  }
  const Expr* root() const { return root_; }
  Expr* root() { return root_; }
  void setRoot(Expr* root) { root_ = root; }
  explicit operator bool() const { return root_ != nullptr; }

 private:
  std::unique_ptr<Arena> arena_;
  Expr* root_ = nullptr;
};

}  // namespace zenta::analyser
