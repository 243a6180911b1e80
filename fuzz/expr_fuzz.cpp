// Fuzz target of the expression lexer, parser and typer: each input is read
// as a script expression against a fixed set of declarations (structures,
// unions, enumerations, typedefs, arrays, functions, a class and a
// namespace), in every way the compiler reads one: parsed and typed as a C
// expression with its image and type class, analysed as a script value, and
// turned into an array value chain; then typed once more in C++17 against
// the same declarations and objects declared with placeholder types
// (deduced from their initialisers, some naming each other) and scoped
// enumerations. Any crash, sanitizer report or hang is a fault; messages are
// expected and only counted.
//
// Built with clang's -fsanitize=fuzzer it is a libFuzzer target. Built
// without it (ZENTA_FUZZ_REPLAY) it is a plain program that reads the files
// and folders named on its command line once each: the test suite replays
// the seed corpus and the regression inputs with it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analyser/basic/dialect.h"
#include "analyser/basic/target_widths.h"
#include "analyser/parse/decl_parser.h"
#include "analyser/parse/expr_array_values.h"
#include "analyser/parse/expr_deduction.h"
#include "analyser/parse/expr_parser.h"
#include "analyser/parse/expr_script.h"
#include "analyser/sema/expr_typer.h"
#include "analyser/sema/typing_class.h"
#include "support/report_hook.h"
#include "tests/analyser/expr_declarations.h"

#include "message_count.h"

namespace {

const char* const kModernDeclarations =
    "enum class Phase : unsigned char { Idle, Run = 5 }; Phase phase;\n"
    "auto copy = phase; auto count = 3; const auto &ref = count; auto ptr = &count;\n"
    "decltype(count) same; decltype(auto) twice = count * 2L; auto braced{1};\n"
    "auto loop_a = loop_b + loop_b; auto loop_b = loop_a * loop_a;\n"
    "struct Holder { static constexpr auto k = 4u; int n; }; auto holder = Holder();\n"
    "namespace deep { auto inner = ptr; auto outer = inner[0] > 1; }\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenta::analyser;
  if (size > 20480) return 0;  // the longest text a script gives
  resetTargetWidths();
  zenta::support::setReportHook(countSupport);
  AstContext ctx;
  ctx.setMessageHook(count);
  SymbolTable table(ctx);
  testing::declareExpressionFixture(ctx, table);
  const std::string text(reinterpret_cast<const char*>(data), size);

  ParseRequest request;
  request.text = text;
  request.hook = count;
  ExpressionTree tree;
  if (parseExpression(ctx, table, request, tree) == ParseStatus::Ok) {
    const std::string image = expressionImage(tree.root(), &table);
    ExpressionTyper typer(ctx, table, count);
    const TypeClass c = typeClassOf(typer.type(tree.root(), {}), true, &table);
    g_messages += static_cast<int>(image.size() + c.cType.size()) & 1;
  }
  const ScriptValue value = analyseScriptValue(ctx, table, request);
  g_messages += static_cast<int>(value.image.size()) & 1;
  const std::vector<ArrayBound> bounds{{"1", 1, 5}, {"", 0, 1}};
  const auto chain = arrayValueExpression(ctx, table, request, bounds, 1, size % 2 == 0);
  g_messages += chain ? static_cast<int>(chain->size()) & 1 : 0;

  setDialect(Dialect::Cxx17);
  {
    AstContext modernCtx;
    modernCtx.setMessageHook(count);
    SymbolTable modern(modernCtx);
    testing::declareExpressionFixture(modernCtx, modern);
    DeclarationRequest declarations;
    declarations.buffer = kModernDeclarations;
    declarations.hook = count;
    analyseDeclarations(modernCtx, modern, declarations);
    ExpressionTree modernTree;
    if (parseExpression(modernCtx, modern, request, modernTree) == ParseStatus::Ok) {
      ExpressionTyper typer(modernCtx, modern, count);
      typer.setDeducer([&](const Symbol& s) { return deducePlaceholder(modernCtx, modern, s); });
      const TypeClass c = typeClassOf(typer.type(modernTree.root(), {}), true, &modern);
      g_messages += static_cast<int>(c.cType.size()) & 1;
    }
  }
  setDialect(Dialect::Classic);
  return 0;
}

#ifdef ZENTA_FUZZ_REPLAY
#define ZENTA_FUZZ_VERB "analysed"
#include "replay_main.h"
#endif
