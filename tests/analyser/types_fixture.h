// Shared set-up of the type and symbol table tests: a context and a table of
// their own, default target widths, and the messages the tables report.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "analyser/ast/context.h"
#include "analyser/ast/images.h"
#include "analyser/ast/symbols.h"
#include "analyser/ast/types.h"
#include "analyser/basic/target_widths.h"
#include "tests/analyser/capture.h"

namespace zenta::analyser::testing {

using analysertest::capture;
using analysertest::messages;

class TablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetTargetWidths();
    ctx.setMessageHook(&capture);
    messages().clear();
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
  // A function type; parameters by name ("" for none) and type.
  FunctionType* fn(Type* result, std::initializer_list<std::pair<const char*, Type*>> params = {},
                   bool isConst = false) {
    auto* f = ctx.functionType(result);
    for (const auto& [name, t] : params) ctx.addParameter(f, param(name, t));
    f->constMethod = isConst;
    return f;
  }
  StructuredType* structure(const char* tag, std::initializer_list<std::pair<const char*, Type*>> fields,
                            bool isClass = false) {
    auto* s = ctx.structureType(n(tag), isClass, 0);
    for (const auto& [name, t] : fields) ctx.addMember(s, ctx.makeMember(n(name), t, 0, 0, Access::Public));
    return s;
  }

  AstContext ctx;
  SymbolTable table{ctx};
};

}  // namespace zenta::analyser::testing
