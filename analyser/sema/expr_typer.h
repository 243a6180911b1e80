// Typing of expression trees against the symbol tables.
//
// The typer walks a tree bottom-up from a scope: names are looked up from it
// outwards (the parameters of the context's function first), members in the
// structure reached, and each operator checked and given the type of its
// result by the C/C++ rules (typing_arith.h). Typedefs, modifiers and
// references are looked through for every check. Each node gets its type in
// Expr::type.
//
// A fault is reported once, at the node where it is found, as a warning
// through the message hook with the node's image as argument (the operand's
// for "is not an array / a pointer / a function"); the node and the nodes
// above it get no type, without further messages.
#pragma once

#include <functional>
#include <string>

#include "analyser/ast/context.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/message_hook.h"
#include "analyser/sema/expr_node.h"

namespace zenta::analyser {

// Where names are looked up.
struct TypingScope {
  int scope = kGlobalScope;
  // The function the expression is written in: its parameters are seen
  // first. Null when none.
  const FunctionType* function = nullptr;
  // The class of that function when it is a member: `this` points to it.
  Type* thisClass = nullptr;
};

class ExpressionTyper {
 public:
  // Messages name `file` and `line` (the script's position).
  ExpressionTyper(AstContext& ctx, const SymbolTable& table, MessageHook hook, std::string file = {},
                  int line = 0);

  // The type of the expression, or null after a reported fault (or for an
  // aggregate, an association or an empty expression, which have none).
  Type* type(const Expr* e, const TypingScope& where);

  // An object or member declared with a placeholder type (`auto`,
  // `decltype(...)`, types.h) is given the type the deducer tells; when it
  // tells none (or without a deducer) the declared type stays, which has
  // nothing to test.
  using Deducer = std::function<Type*(const Symbol&)>;
  void setDeducer(Deducer deducer) { deducer_ = std::move(deducer); }

 private:
  Type* visit(const Expr* e);
  Type* identifier(const Expr* e);
  Type* qualified(const Expr* e);
  Type* member(const Expr* e);
  Type* pointerToMember(const Expr* e);
  Type* call(const Expr* e);
  Type* construct(const Expr* e);
  Type* unary(const Expr* e);
  Type* binary(const Expr* e);
  Type* conditional(const Expr* e);
  Type* addressOf(const Expr* e);
  Type* fault(const char* code, const Expr* about);
  Type* declaredType(const Symbol& s);
  std::string image(const Expr* e) const;

  AstContext& ctx_;
  const SymbolTable& table_;
  MessageHook hook_;
  std::string file_;
  int line_;
  TypingScope where_;
  Deducer deducer_;
};

// The member of a structure or union named `name`, looking into anonymous
// members too; null when none.
Symbol* findField(const Type* structure, Name name);

}  // namespace zenta::analyser
