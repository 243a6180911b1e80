// Shared set-up of the expression tests: a context and a table of their own
// filled with the declarations of expr_declarations.h, default target widths,
// and the messages the parser and the typer report.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "analyser/basic/target_widths.h"
#include "analyser/parse/expr_parser.h"
#include "analyser/sema/expr_typer.h"
#include "analyser/sema/typing_class.h"
#include "tests/analyser/capture.h"
#include "tests/analyser/expr_declarations.h"

namespace exprtest {

using namespace zenta::analyser;
using analysertest::capture;
using analysertest::codes;
using analysertest::messages;

class ExprTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetTargetWidths();
    messages().clear();
    ctx.setMessageHook(&capture);
    zenta::analyser::testing::declareExpressionFixture(ctx, table);
  }
  void TearDown() override { resetTargetWidths(); }

  ParseStatus parse(const std::string& text, ExpressionTree& tree, bool script = false) {
    ParseRequest r;
    r.text = text;
    r.hook = &capture;
    r.scriptSyntax = script;
    return parseExpression(ctx, table, r, tree);
  }
  // The image of the parsed text, or "-" when it does not parse.
  std::string image(const std::string& text) {
    ExpressionTree tree;
    return parse(text, tree) == ParseStatus::Ok ? expressionImage(tree.root(), &table) : "-";
  }
  Type* typeOf(const std::string& text, TypingScope where = {}) {
    ExpressionTree tree;
    if (parse(text, tree) != ParseStatus::Ok) return nullptr;
    ExpressionTyper typer(ctx, table, &capture);
    return typer.type(tree.root(), where);
  }
  TypeClass classOf(const std::string& text) { return typeClassOf(typeOf(text), true, &table); }

  AstContext ctx;
  SymbolTable table{ctx};
};

}  // namespace exprtest
