// The declaration parser in the C++11 to C++20 dialects: snippets of the
// constructs of those standards, each read without a message, with what the
// dump records of them; and the keywords of each dialect.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analyser/ast/context.h"
#include "analyser/ast/images.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/dialect.h"
#include "analyser/basic/target_widths.h"
#include "analyser/lex/decl_lexer.h"
#include "analyser/parse/decl_parser.h"

#include "capture.h"

using namespace zenta::analyser;

namespace {

using analysertest::capture;
using analysertest::Message;
using analysertest::messages;

class DeclDialect : public ::testing::Test {
 protected:
  void SetUp() override {
    resetTargetWidths();
    messages().clear();
    ctx.setMessageHook(&capture);
  }
  void TearDown() override {
    setDialect(Dialect::Classic);
    resetTargetWidths();
  }

  // Reads `text` in dialect `d` into fresh tables; the dump of what it
  // recorded.
  std::string analyse(Dialect d, const std::string& text) {
    setDialect(d);
    messages().clear();
    table.clear();
    log.clear();
    text_ = text;
    DeclarationRequest r;
    r.buffer = text_;
    r.hook = &capture;
    r.log = &log;
    analyseDeclarations(ctx, table, r);
    return dumpDeclarations(log, table);
  }
  static std::string reported() {
    std::string out;
    for (const Message& m : messages()) out += (out.empty() ? "" : " ") + m.code + ":" + m.argument;
    return out;
  }
  const Symbol* symbol(const char* qualified) { return table.lookupQualified(qualified, kGlobalScope); }

  AstContext ctx;
  SymbolTable table{ctx};
  DeclarationLog log;
  std::string text_;
};

struct Case {
  Dialect dialect;
  const char* text;
  std::vector<const char*> lines;  // lines the dump must hold
};

// Each snippet gives no message, and the dump holds each line given.
TEST_F(DeclDialect, ConstructsAreReadWithoutAMessage) {
  const Dialect c11 = Dialect::Cxx11, c17 = Dialect::Cxx17, c20 = Dialect::Cxx20;
  const std::vector<Case> cases = {
      // Scoped enumerations, underlying types, opaque declarations.
      {c11, "enum class Colour : unsigned char { Red, Green = 4, Blue }; Colour c = Colour::Blue;",
       {"enum\tColour\t-\tenum Colour", "enumerator\tColour::Blue\t-\tBlue = 5", "variable\tc\t-\tColour c"}},
      {c11, "enum struct E; enum class F : long; enum G : int { A, B }; struct S { enum class In { X }; In i; };",
       {"enumerator\tB\t-\tB = 1", "enumerator\tS::In::X\t-\tX = 0", "field\tS::i\t-\tIn i"}},
      // Rvalue references, auto, trailing return types, decltype.
      {c11, "void take(int&& v); int&& ref(); auto f(int x) -> long; decltype(f(1)) g; auto h() -> int (*)(char);",
       {"function\ttake\t1\tvoid take(int &&v)", "function\tref\t0\tint &&ref()",
        "function\tf\t1\tlong f(int x)", "variable\tg\t-\tdecltype(f(1)) g", "function\th\t0\tint (*h())(char)"}},
      {c17, "constexpr auto limit = 10; auto name = \"x\"; decltype(auto) d = limit;",
       {"variable\tlimit\t-\tconst auto limit", "variable\tname\t-\tauto name", "variable\td\t-\tdecltype(auto) d"}},
      // using aliases and alias templates.
      {c11, "using Int = int; template <class T> using Ptr = T*; Ptr<int> p; using Fn = void (*)(Int);",
       {"typedef\tInt\t-\ttypedef int Int", "typedef\tFn\t-\ttypedef void (*Fn)(Int)",
        "template\tPtr\t-\ttemplate <class T> using Ptr = T *"}},
      // Variadic templates, packs and fold expressions in bodies.
      {c17,
       "template <class... Ts> struct Tuple {}; template <class... Ts> int sum(Ts&&... ts) { return (ts + ... + 0); }"
       " template <class T, class... Rest> struct Tuple<T, Rest...> : Tuple<Rest...> { T head; };"
       " Tuple<int, char, long> t; template <int... Ns> struct Seq {}; Seq<1, 2, 3> s;",
       {"template\tTuple\t-\ttemplate <class... Ts> struct Tuple", "template\tsum\t-\ttemplate <class... Ts>",
        "template\tSeq\t-\ttemplate <int ...Ns> struct Seq",
        "variable\tt\t-\tTuple<int, char, long> t", "variable\ts\t-\tSeq<1, 2, 3> s"}},
      // Default and deleted functions, override and final, noexcept.
      {c11,
       "struct B { virtual ~B() = default; virtual void run() noexcept = 0; B(const B&) = delete; B() = default; };"
       " struct D final : B { void run() noexcept override; int size() const noexcept(true) final; };",
       {"method\tB::run\t0\tvirtual void run()", "method\tD::run\t0\tvoid run()",
        "method\tD::size\t0\tint size() const"}},
      // Default member initialisers, inline and nested namespaces, inline
      // variables, static_assert.
      {c17,
       "namespace a::b::c { struct P { int x = 1; int y{2}; double z{}; static constexpr int k = 3; }; }"
       " inline namespace v1 { inline int counter = 0; } static_assert(sizeof(int) == 4, \"int\");"
       " namespace a::b { static_assert(true); }",
       {"field\ta::b::c::P::x\t-\tint x", "field\ta::b::c::P::y\t-\tint y",
        "field\ta::b::c::P::k\t-\tstatic const int k", "variable\tv1::counter\t-\tinline int counter",
        "namespace\ta::b::c\t-\tnamespace c"}},
      // Attributes anywhere, GNU attributes, alignas.
      {c17,
       "[[nodiscard]] int f [[gnu::cold]] ([[maybe_unused]] int x) __attribute__((pure));"
       " struct [[deprecated(\"no\")]] alignas(16) S { [[no_unique_address]] int a; alignas(8) char b[8]; };"
       " enum [[nodiscard]] E { One [[deprecated]] = 1 }; namespace [[deprecated]] n { }",
       {"function\tf\t1\tint f(int x)", "field\tS::a\t-\tint a", "field\tS::b\t-\tchar b[8]",
        "enumerator\tOne\t-\tOne = 1"}},
      // explicit(bool), constraints and concepts, requires clauses.
      {c20,
       "template <class T> concept Small = sizeof(T) < 4 && requires(T t) { t + t; { t } -> Small; };"
       " template <class T> requires Small<T> || (sizeof(T) == 8) struct Box { explicit(sizeof(T) > 1) Box(T);"
       " void put(T) requires Small<T>; void put(T) requires (!Small<T>); T v; };"
       " template <Small T, typename U = int> void use(T, U); void any(Small auto x, const Small auto& y);",
       {"template\tBox\t-\ttemplate <class T> struct Box", "method\tBox::put\t1\tvoid put(T)",
        "template\tuse\t-\t", "function\tany\t2\tvoid any(auto x, const auto &y)"}},
      // Deduction guides, user-defined literals, lambdas in initialisers and
      // default arguments, braced initialisation.
      {c17,
       "template <class T> struct W { W(T); }; W(const char*) -> W<long>; template <class T> W(T*) -> W<T>;"
       " long operator\"\"_km(unsigned long long); int operator\"\" _m(const char*, unsigned long);"
       " auto twice = [](int x) { return x * 2; }; void call(int (*f)(int) = [](int v) { return v; });"
       " int arr[]{1, 2, 3}; struct Q { int a, b; } q{1, 2};",
       {"template\tW\t-\t", "function\toperator\"\"_km\t1\tlong operator\"\"_km(unsigned long long)",
        "function\toperator\"\"_m\t2\t", "variable\ttwice\t-\tauto twice", "function\tcall\t1\t",
        "variable\tarr\t-\tint arr[]", "variable\tq\t-\tQ q"}},
      // Template template parameters, the `template` disambiguator, typename
      // in more places, `>>` closing two lists.
      {c11,
       "template <class T> struct A { template <class U> struct R { typedef U type; }; };"
       " template <template <class...> class C, class T> struct Use { typedef typename A<T>::template R<T>::type t; };"
       " template <class T> struct V {}; V<V<int>> vv; V<V<V<char>>> vvv;",
       {"variable\tvv\t-\tV<V<int> > vv", "variable\tvvv\t-\tV<V<V<char> > > vvv"}},
      // Member functions with ref-qualifiers overload; constructors with
      // braced member initialisers and pack expansions.
      {c11,
       "template <class... B> struct M : B... { M(int a) : B{a}..., x_{a} { } int& get() &; int&& get() &&;"
       " int x_; };",
       {"field\tM::x_\t-\tint x_"}},
      // GNU extensions of the host's headers under g++.
      {c17,
       "__extension__ typedef __int128 i128; typedef unsigned __int128 u128; __typeof__(1) ty;"
       " extern int fa(int) __asm__(\"fa64\") __attribute__((__nothrow__)); char* __restrict__ rp;"
       " template <class T, class U> constexpr bool same = __is_same(T, U);"
       " template <class T> struct U { using type = __underlying_type(T); };",
       {"typedef\ti128\t-\ttypedef __int128 i128", "function\tfa\t1\textern int fa(int)", "variable\trp\t-\tchar *rp"}},
      // What the libraries' headers write: named casts and calls of function
      // templates in template arguments, comparisons there, qualified
      // specialisations of variable templates, `using typename`, a reference
      // to an array as trailing return type, `_Pragma` before a closing brace.
      {c17,
       "enum K { k0 }; template <K k, class T> struct Impl {}; template <class T> struct KindOf { enum { value = 0 }; };"
       " template <class F, class T> using Conv = Impl<static_cast<K>(KindOf<F>::value), T>;"
       " template <class T> constexpr int find() { return 0; } template <class T> struct Cmp {"
       " static constexpr bool v = find<T>() < sizeof(T); }; template <class R1, class R2> struct Less"
       " : Impl<k0, bool> { static const bool b = R1::num < R2::num; };"
       " namespace r { template <class T> inline constexpr bool borrowed = false; }"
       " template <class T> inline constexpr bool ::r::borrowed<T*> = true;"
       " template <class B> struct Derived : B { using typename B::size_type; size_type n; };"
       " template <class T, unsigned N> auto arr(const T (&v)[N]) -> const T (&)[N];"
       " namespace p { int before; _Pragma(\"GCC pop_options\") }",
       {"template\tConv\t-\t", "field\tDerived::n\t-\tsize_type n", "template\tarr\t-\t",
        "variable\tp::before\t-\tint before"}},
      // Namespace aliases in qualified names, also of another alias.
      {c17,
       "namespace a { namespace b { struct P { int x; }; } } namespace ab = a::b; namespace c = ab;"
       " void f(ab::P& p); c::P q; struct T { ab::P m; };",
       {"function\tf\t1\tvoid f(a::b::P &p)", "variable\tq\t-\ta::b::P q", "field\tT::m\t-\ta::b::P m"}},
      // Structured bindings at namespace scope; digit separators (C++14 on).
      {c17,
       "struct P { int x, y; } p; auto [a, b] = p; const auto& [r, s]{p}; constexpr long big = 1'000'000'000'000;"
       " enum { Hex = 0x1'00, Dec = 1'0 }; double d = 1'0.5e1'0; char quote = '\\'';",
       {"variable\tbig\t-\tconst long big", "enumerator\tHex\t-\tHex = 256", "enumerator\tDec\t-\tDec = 10",
        "variable\tquote\t-\tchar quote"}},
      // New keywords and character types; nullptr and noexcept in
      // initialisers.
      {c20,
       "char8_t c8; char16_t c16; char32_t c32; thread_local int tl; constinit int ci = 0;"
       " consteval int sq(int x) { return x * x; } void* np = nullptr; bool ne = noexcept(sq(1));",
       {"variable\tc8\t-\tchar8_t c8", "variable\tc16\t-\tchar16_t c16", "variable\tci\t-\tconst int ci",
        "function\tsq\t1\tint sq(int x)"}},
  };
  for (const Case& c : cases) {
    const std::string dump = analyse(c.dialect, c.text);
    EXPECT_EQ(reported(), "") << c.text;
    for (const char* line : c.lines) EXPECT_NE(dump.find(line), std::string::npos) << line << "\n" << dump;
  }
}

// What a later stage types: the scoped enumeration's flag, scope and
// underlying type; rvalue references as references to references;
// placeholders named by their text with the initialiser kept.
TEST_F(DeclDialect, RecordsInATypeableForm) {
  analyse(Dialect::Cxx17,
          "namespace n { enum class E : short { A, B }; } int&& r(); auto v = 1.5; const auto& w = v;"
          " struct S { int&& m() &&; int& m() &; };");
  EXPECT_EQ(reported(), "");
  const Symbol* tag = table.lookupTag(internName("E"), static_cast<int>(TypeKind::Enumeration), kGlobalScope);
  ASSERT_NE(tag, nullptr);
  const EnumerationType* e = as<EnumerationType>(tag->type);
  EXPECT_TRUE(e->scoped);
  ASSERT_NE(e->underlying, nullptr);
  EXPECT_EQ(typeImage(e->underlying), "short");
  EXPECT_NE(symbol("n::E::B"), nullptr);
  EXPECT_EQ(symbol("n::B"), nullptr);  // not in the enclosing namespace
  const Type* rr = as<FunctionType>(symbol("r")->type)->target;
  ASSERT_EQ(rr->kind, TypeKind::Reference);
  EXPECT_EQ(targetOf(rr)->kind, TypeKind::Reference);
  const Symbol* v = symbol("v");
  EXPECT_EQ(typeImage(v->type), "auto");
  EXPECT_EQ(v->defaultText(), "1.5");
  EXPECT_EQ(symbol("w")->defaultText(), "v");
  // The two ref-qualified overloads are both recorded.
  EXPECT_EQ(table.findAllSymbols(internName("m")).size(), 2u);
}

// The same texts as plain C++ keep their classic reading: the new words are
// identifiers there, `auto` is a storage class.
TEST_F(DeclDialect, ClassicKeepsItsKeywordsAndReading) {
  const std::string dump = analyse(Dialect::Classic, "int nullptr; int constexpr; auto int a; int requires;");
  EXPECT_EQ(reported(), "");
  EXPECT_NE(dump.find("variable\tnullptr\t-\tint nullptr"), std::string::npos) << dump;
  EXPECT_NE(dump.find("variable\ta\t-\tauto int a"), std::string::npos) << dump;
  analyse(Dialect::Classic, "enum class E { A };");
  EXPECT_NE(reported(), "");
  analyse(Dialect::Cxx11, "int nullptr;");
  EXPECT_EQ(reported(), "SYNTAXERR:nullptr");
  analyse(Dialect::Cxx17, "int requires; int concept;");
  EXPECT_EQ(reported(), "");
  analyse(Dialect::Cxx20, "int requires;");
  EXPECT_NE(reported(), "");
}

TEST_F(DeclDialect, KeywordSetsOfEachDialect) {
  EXPECT_EQ(lex::keywordCount(lex::KeywordSet::Classic), 64);
  EXPECT_EQ(lex::keywordCount(lex::KeywordSet::Cxx11), 74);
  EXPECT_EQ(lex::keywordCount(lex::KeywordSet::Cxx20), 82);
  const struct {
    Dialect dialect;
    const char* word;
    lex::Tok code;
  } cases[] = {
      {Dialect::Classic, "constexpr", lex::Tok::Identifier}, {Dialect::Cxx11, "constexpr", lex::Tok::KwConstexpr},
      {Dialect::Cxx14, "decltype", lex::Tok::KwDecltype},   {Dialect::Cxx17, "concept", lex::Tok::Identifier},
      {Dialect::Cxx20, "concept", lex::Tok::KwConcept},     {Dialect::Cxx23, "co_await", lex::Tok::KwCoAwait},
      {Dialect::Classic, "overload", lex::Tok::KwOverload},
  };
  for (const auto& c : cases) {
    setDialect(c.dialect);
    lex::DeclarationLexer lexer(c.word);
    EXPECT_EQ(lexer.next().code, c.code) << c.word << " in " << dialectName(c.dialect);
  }
  setDialect(Dialect::Cxx20);
  lex::DeclarationLexer spaceship("a <=> b");
  spaceship.next();
  EXPECT_EQ(spaceship.next().code, lex::Tok::Spaceship);
  setDialect(Dialect::Cxx17);
  lex::DeclarationLexer older("a <=> b");
  older.next();
  EXPECT_EQ(older.next().code, lex::Tok::LessEqual);
}

// From C++11 an unsuffixed constant too large for int is a long.
TEST_F(DeclDialect, LargeConstantsTakeAWiderType) {
  setTargetWidth(BaseWidth::Long, 64);
  analyse(Dialect::Cxx11, "enum { Big = 1000000000000 }; int a[Big / 1000000000000];");
  EXPECT_EQ(reported(), "");
  EXPECT_EQ(symbol("Big")->value, 1000000000000);
  analyse(Dialect::Classic, "enum { Big = 1000000000000 };");
  EXPECT_EQ(reported(), "ENTOUTRAN:1000000000000");
}

}  // namespace
