// Runs variable statements in-process, in one open element of one test, on
// the shared declarations of the expression tests (plus a structure that
// holds itself), and gives back the messages and the descriptions recorded.
#pragma once

#include <string>
#include <vector>

#include "../analyser/expr_declarations.h"
#include "analyser/interface.h"
#include "model/store.h"
#include "script/keywords.h"
#include "script/var_checks.h"
#include "script/variables.h"
#include "script_runner.h"

namespace vartest {

// The start of analysis empties the tables, so this runs after it.
inline void declareFixture() {
  using namespace zenta::analyser;
  AstContext& ctx = analyserContext();
  SymbolTable& table = analyserSymbols();
  zenta::analyser::testing::declareExpressionFixture(ctx, table);
  // struct loop { int n; struct loop self; } lp;  (refused by compilers, but
  // tables made from faulty headers can hold it)
  StructuredType* loop = ctx.structureType(internName("loop"), false, kGlobalScope);
  loop->complete = true;
  table.createScope(internName("loop"), ScopeKind::Class, kGlobalScope, loop);
  table.declareTag(internName("loop"), loop, kGlobalScope);
  for (auto [name, type] : {std::pair<const char*, Type*>{"n", ctx.integerType("int")}, {"self", loop}})
    ctx.addMember(loop, ctx.makeMember(internName(name), type, 0, loop->memberScope, Access::Public));
  table.declareSymbol(internName("lp"), loop, 0, kGlobalScope);
  table.declareSymbol(internName("i"), ctx.integerType("int"), 0, kGlobalScope);
  table.declareSymbol(internName("j"), ctx.integerType("int"), 0, kGlobalScope);
}

struct Run {
  std::vector<scripttest::Message> messages;
  std::vector<zenta::model::VariableDescription> recorded;  // in root-name order
  // "E:CODE" for each message, ELMT_VIDE left out.
  std::vector<std::string> codes() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(std::string(1, m.severity) + ":" + m.code);
    return out;
  }
  const zenta::model::VariableDescription& only() const {
    static const zenta::model::VariableDescription none;
    return recorded.size() == 1 ? recorded.front() : none;
  }
};

// Each line is one statement: VAR, ARRAY (TAB) or STR with its text.
inline Run run(const std::vector<std::string>& lines, int language = zenta::model::LangEnglish,
               const std::string& nativeCode = "") {
  scripttest::Options o;
  o.language = language;
  scripttest::prepare(o);
  const std::string list = scripttest::scratchDir() + "/variables.lis";
  std::remove(list.c_str());
  zenta::diag::openListFile(list);
  zenta::analyser::startAnalyser({}, {}, "");
  declareFixture();
  zenta::diag::setCurrentFile("v.ptu");
  zenta::diag::setCurrentLine(1);
  if (!nativeCode.empty()) zenta::analyser::preprocessNativeCode(nativeCode, "v.ptu", 1);
  zenta::model::resetModel();
  zenta::script::resetTestVariables();
  zenta::model::VariableStore& store = zenta::model::openElementStore();
  int line = 1;
  for (const std::string& statement : lines) {
    zenta::diag::setCurrentLine(++line);
    std::string word, rest;
    zenta::script::splitWord(statement, word, rest);
    const bool structured = word == "STR" || word == "STRUCTURE";
    const bool array = structured || word == "ARRAY" || word == "TAB";
    zenta::script::handleVar(zenta::script::trim(rest), array, structured);
  }
  Run r;
  zenta::model::forEachVariable(store.root.get(), [&](const zenta::model::VariableNode& n) {
    r.recorded.push_back(*n.description);
  });
  zenta::model::closeElementStore();
  zenta::diag::closeListFile();
  r.messages = scripttest::parseList(list);
  return r;
}

}  // namespace vartest
