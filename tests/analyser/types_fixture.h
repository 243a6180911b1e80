// Shared set-up of the type and symbol table tests: a context and a table of
// their own, default target widths, and a message hook that records what the
// tables report.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analyser/ast/context.h"
#include "analyser/ast/images.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/target_widths.h"
#include "analyser/ast/types.h"

namespace zenta::analyser::testing {

struct Reported {
  int severity;
  std::string code;
  std::string argument;
};

inline std::vector<Reported>& reported() {
  static std::vector<Reported> list;
  return list;
}

inline void recordingHook(int severity, const char* code, const std::string& argument, const std::string&, int) {
  reported().push_back({severity, code, argument});
}

class TablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetTargetWidths();
    ctx.setMessageHook(&recordingHook);
    reported().clear();
  }
  void TearDown() override { resetTargetWidths(); }

  static Name n(const char* text) { return internName(text); }
  IntegerType* I(const char* words) { return ctx.integerType(words); }
  Type* compose(std::initializer_list<const char*> words) {
    Type* t = nullptr;
    for (const char* w : words) t = ctx.composeType(t, ctx.baseTypeForKeyword(w));
    return t;
  }
  std::string image(const Type* t, const char* decl = "") {
    ImageOptions o;
    o.table = &table;
    return typeImage(t, decl, o);
  }
  Symbol* param(const char* name, Type* t) { return ctx.makeParameter(name[0] ? n(name) : Name(), t); }

  AstContext ctx;
  SymbolTable table{ctx};
};

}  // namespace zenta::analyser::testing
