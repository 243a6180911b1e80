// Objects declared with a placeholder type get, when an expression names
// them, the type their initialiser or decltype expression tells; what cannot
// be told (braced initialisers, unknown names, declarations that name each
// other) stays the opaque placeholder, quickly.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "analyser/ast/images.h"
#include "analyser/basic/dialect.h"
#include "analyser/parse/decl_parser.h"
#include "analyser/parse/expr_deduction.h"
#include "analyser/parse/expr_parser.h"
#include "analyser/sema/expr_typer.h"

using namespace zenta::analyser;

namespace {

const char* const kDeclarations = R"(
int n = 1; double d = 2; int arr[3]; int f(int);
struct S { int m; static constexpr auto k = 4L; };
S s; auto a = n; auto b = &n; const auto c = d; auto e = arr; auto g = f; const auto &h = n;
decltype(d) i; decltype(auto) j = n * 2u; auto m = s.m + 0.5f;
auto braced1 = {1}; auto braced2{2}; auto p = q; auto q = p; auto r = unknown;
auto chain0 = 'c'; auto chain1 = chain0; auto chain2 = chain1; auto chain3 = chain2;
auto w0 = w1 + w1 + w1 + w1 + w1 + w1 + w1 + w1;
auto w1 = w0 + w0 + w0 + w0 + w0 + w0 + w0 + w0;
namespace ns { auto local = 3; auto far = local * 2L; }
)";

class Deduction : public ::testing::Test {
 protected:
  void SetUp() override {
    setDialect(Dialect::Cxx17);
    DeclarationRequest request;
    request.buffer = kDeclarations;
    ASSERT_TRUE(analyseDeclarations(ctx, table, request));
  }
  void TearDown() override { setDialect(Dialect::Classic); }

  // The image of the type of an expression, "-" when it has none.
  std::string typeOf(const std::string& text, bool deduce = true) {
    ParseRequest request;
    request.text = text;
    ExpressionTree tree;
    if (parseExpression(ctx, table, request, tree) != ParseStatus::Ok) return "parse";
    ExpressionTyper typer(ctx, table, nullptr);
    if (deduce) typer.setDeducer([this](const Symbol& s) { return deducePlaceholder(ctx, table, s); });
    const Type* t = typer.type(tree.root(), {});
    return t == nullptr ? "-" : typeImage(t);
  }

  AstContext ctx;
  SymbolTable table{ctx};
};

TEST_F(Deduction, PlaceholdersTakeTheTypeTheirDeclarationTells) {
  struct Case { const char* text; const char* type; };
  const Case cases[] = {
      {"a", "int"}, {"b", "int *"}, {"c", "const double"},
      {"e", "int *"},                  // arrays decay
      {"g", "int (*)(int)"},           // and functions
      {"h", "const int &"}, {"i", "double"}, {"j", "unsigned"}, {"m", "float"},
      {"S::k", "const long"},          // a member, by its qualified name
      {"s.k", "const long"},           // and through an object
      {"chain3", "char"}, {"a + d", "double"}, {"r", "auto"},
      {"ns::far", "long"},                        // names looked up from the declaration's scope
      {"braced1", "auto"}, {"braced2", "auto"},  // a list or one value: not told apart
      {"p", "auto"},                              // declarations that name each other
  };
  for (const Case& c : cases) EXPECT_EQ(typeOf(c.text), c.type) << c.text;
}

TEST_F(Deduction, DeclarationsThatNameEachOtherEndQuickly) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(typeOf("w0"), "auto");
  EXPECT_EQ(typeOf("w0 + w1"), "-");  // an opaque structure is no operand
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(typeOf("a", false), "auto");  // without a deducer the declared placeholder stays
}

}  // namespace
