// The state of one expression parse, shared by the files of the parser
// (expression grammar, type names, constant folding). Internal to the
// parser.
#pragma once

#include <string>

#include "analyser/lex/expr_lexer.h"
#include "analyser/parse/expr_parser.h"

namespace zenta::analyser::exprparse {

// What was expected where a syntax fault is found (the script's messages
// name it).
enum class Expect : std::uint8_t { Opening, Term, Factor, Identifier, End, Token };

// The integer constant an operator node folds to, or the node itself.
Expr* fold(AstContext& ctx, Arena& arena, Expr* e);

// The C type of an integer or character constant token.
Type* constantType(AstContext& ctx, const lex::Token& t);

class Parser final : public lex::IdentifierClassifier {
 public:
  Parser(AstContext& ctx, const SymbolTable& table, const ParseRequest& request, Arena& arena);
  ParseStatus run(Expr*& root);

  // Identifier classes from the parse scope: an object, function or
  // enumerator hides a tag of the same scope or an outer one.
  lex::NameClass classify(Name name, int scope) override;

 private:
  struct DepthGuard {
    explicit DepthGuard(Parser& p) : parser(p) { ++parser.depth_; }
    ~DepthGuard() { --parser.depth_; }
    Parser& parser;
  };

  // Tokens.
  void advance();
  bool at(lex::Tok t) const { return cur_.code == t; }
  bool accept(lex::Tok t);
  bool expect(lex::Tok t);
  lex::Token peek();
  bool atAssignment() const;
  static bool isNameToken(lex::Tok t);

  // Grammar.
  Expr* topLevel();
  Expr* aggregate();
  Expr* listItem();
  Expr* rangeOrAssignment(Expect first);
  Expr* assignment(Expect first);
  Expr* conditional(Expect first);
  Expr* binary(int minPrecedence, Expect first);
  Expr* castExpression(Expect first);
  Expr* sizeofExpression();
  Expr* postfix(Expr* e);
  Expr* primary(Expect first);
  Expr* qualifiedName();
  Expr* namedCast();
  Expr* construct(Type* type);
  bool arguments(ArenaVector<Expr*>& out);

  // Type names (expr_parse_types.cpp).
  bool typeIdFollows();
  bool startsTypeId(const lex::Token& t);
  Type* typeId();
  Type* namedType(const lex::Token& t);
  Type* qualifiedType(const std::string& path);

  // Nodes.
  Expr* node(ExprKind kind, Expr* a = nullptr, Expr* b = nullptr, Expr* c = nullptr);
  Expr* constant(const lex::Token& t);
  Expr* folded(Expr* e) { return e != nullptr && request_.fold ? fold(ctx_, arena_, e) : e; }

  // Faults: each reports once and gives null; the parse then stops.
  Expr* syntaxError(Expect expected, lex::Tok token = lex::Tok::End);
  Expr* refuse(const char* code);
  Expr* badRange();
  Expr* tooDeep();
  void report(int severity, const char* code, const std::string& argument);

  AstContext& ctx_;
  const SymbolTable& table_;
  const ParseRequest& request_;
  Arena& arena_;
  lex::ExpressionLexer lexer_;
  lex::Token cur_;
  int depth_ = 0;
  bool failed_ = false;
};

}  // namespace zenta::analyser::exprparse
