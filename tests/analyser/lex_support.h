// Helpers of the lexer tests: a capturing message hook, a classifier whose
// answers the test sets, and the tokens of a whole text.
#pragma once

#include <gtest/gtest.h>

#include "tests/analyser/capture.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "analyser/basic/target_widths.h"
#include "analyser/lex/decl_lexer.h"
#include "analyser/lex/expr_lexer.h"

namespace lextest {

using namespace zenta::analyser;
using namespace zenta::analyser::lex;

using analysertest::capture;
using analysertest::codes;
using analysertest::messages;

// Answers by (scope, word); scope -1 answers from every scope.
struct FakeClassifier : IdentifierClassifier {
  std::map<std::pair<int, std::string>, NameClass> words;
  int calls = 0;
  NameClass classify(Name name, int scope) override {
    ++calls;
    auto it = words.find({scope, name.text()});
    if (it == words.end()) it = words.find({-1, name.text()});
    return it == words.end() ? NameClass::Plain : it->second;
  }
};

// Fresh target widths and no messages.
class LexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetTargetWidths();
    messages().clear();
  }
  void TearDown() override { resetTargetWidths(); }
};

template <class L>
std::vector<Token> tokensOf(L& lexer) {
  std::vector<Token> r;
  for (Token t = lexer.next(); t.code != Tok::End; t = lexer.next()) r.push_back(t);
  return r;
}

inline std::vector<Token> declTokens(std::string_view text, IdentifierClassifier* c = nullptr) {
  DeclarationLexer lx(text);
  lx.setMessageHook(capture);
  lx.setClassifier(c);
  return tokensOf(lx);
}

inline std::vector<Token> exprTokens(std::string_view text, IdentifierClassifier* c = nullptr) {
  ExpressionLexer lx(text, internName("script.ptu"), 7);
  lx.setMessageHook(capture);
  lx.setClassifier(c);
  return tokensOf(lx);
}

// The texts of tokens joined by single blanks.
inline std::string texts(const std::vector<Token>& ts) {
  std::string r;
  for (const auto& t : ts) r += (r.empty() ? "" : " ") + std::string(t.text);
  return r;
}

}  // namespace lextest
