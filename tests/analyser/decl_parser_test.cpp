// The declaration parser on short texts, in the classic language and in the
// dialects of the standard: what it records (through the dump of the
// declarations) and the messages it gives, each with its argument.
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
#include "tests/analyser/capture.h"

using namespace zenta::analyser;

namespace {

using analysertest::capture;
using analysertest::messages;
using analysertest::reported;

class DeclParser : public ::testing::Test {
 protected:
  void SetUp() override {
    resetTargetWidths();
    ctx.setMessageHook(&capture);
  }
  void TearDown() override {
    setDialect(Dialect::Classic);
    resetTargetWidths();
  }

  // Reads `text` in dialect `d` into fresh tables; the dump of what it
  // recorded.
  std::string analyse(const std::string& text, Dialect d = Dialect::Classic) {
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
  const Symbol* symbol(const char* qualified) { return table.lookupQualified(qualified, kGlobalScope); }
  const Type* typeOf(const char* name) { return table.lookupSymbol(internName(name), kGlobalScope)->type; }
  const Symbol* member(int scope, const char* name) {
    SymbolFilter f;
    f.scope = scope;
    return table.findSymbol(internName(name), f);
  }
  // Every line is in the dump.
  static void expectLines(const std::string& dump, const std::vector<const char*>& lines) {
    for (const char* line : lines) EXPECT_NE(dump.find(line), std::string::npos) << line << "\n" << dump;
  }

  AstContext ctx;
  SymbolTable table{ctx};
  DeclarationLog log;
  std::string text_;
};

// Each text gives exactly these messages (code and argument).
TEST_F(DeclParser, MessagesWithTheirArguments) {
  const struct { const char* text; const char* expected; } cases[] = {
      {"int A::f(int x) { return x; }", "FUNCT_DEF:A::f"},
      {"class A { int g(); }; int A::f(int x) { return x; }", "FUNCT_DEF:A::f"},
      {"class A { int f(int); }; int A::f(int x) { return x; }", ""},
      {"template <class T> class V { void f(); };\ntemplate <class T> void V<T>::\n  g() {}", "FUNCT_DEF:V<T>::g"},
      {"class A { friend int B::f(); };", ""},
      {"class B { int h; }; class C : public B { using B::g; };", "MODACCINC:B::g"},
      {"class B { public: int g; }; class C : private B { public: using B::g; };", ""},
      {"class B { public: int g; }; class C : private B { public: B::g; };", ""},
      {"class B { public: int g; }; class C : private B { public: B::k; };", "MODACCINC:B::k"},
      {"struct B { int b; }; union U : B { int i; };", "SYNTAXERR:<union>::<type>"},
      {"int x; double x;", "REDEFSYMB:x"}, {"int x; int x; extern int x;", ""},
      {"typedef int T; typedef int T;", ""}, {"typedef int T; typedef long T;", "REDEFSYMB:T"},
      {"int f(int); int f(int a) { return a; } int f(double);", ""},
      {"int f(int); long f(int);", "REDEFSYMB:f"}, {"int v; void v();", "REDEFSYMB:v"},
      {"enum E { A, B }; int A;", "REDEFSYMB:A"}, {"struct S {int a;}; struct S {int a;};", "REDEFSTRU:S"},
      {"struct S; struct S { int a; }; struct S *p;", ""}, {"enum E { A }; enum E { B };", "REDEFSTRU:E"},
      {"namespace N { struct S {}; } struct S {};", ""}, {"int f(", "UNEXP_EOF:("},
      {"struct S { int a;", "UNEXP_EOF:;"}, {"int x = ;", ""}, {"int 3x;", "SYNTAXERR:3"},
      {"int x y; int z;", "SYNTAXERR:y"}, {"using namespace std int x;", "SYNTAXERR:'using' without ';'"},
      {"namespace N { int a; } using N::a int y;", "SYNTAXERR:'using' without ';'"},
      {"template <class T> int v;", "TEMPLADEC:v"},
      {"template <class T> class V; template <class T, class U> class V {};", "TEMPLADEC:V"},
      {"template <class T> class V {}; V<int, int> w;", "TEMINSINC:V<int, int>"},
      {"template <class T, class U = int> class V {}; V<int> a; V<int, long> b; V<> c;", "TEMINSINC:V<>"},
      {"class N {}; template class N<int>;", "TEMINSINC:N<int>"},
      {"template <class T, class U> class W; template <class T, class U = int> class W; W<char> *w;", ""},
      {"short long x;", "CONSTRUCT:short long"}, {"struct S {}; unsigned S y;", "CONSTRUCT:unsigned S"},
      {"int xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx yyyyyy;",
       "SYNTAXERR:yyyyyy"},
      {"int a zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz;",
       "SYNTAXERR:zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz"},
  };
  for (const auto& c : cases) {
    analyse(c.text);
    EXPECT_EQ(reported(), c.expected) << c.text;
  }
}

TEST_F(DeclParser, SeveritiesAndPositionsFromLineMarkers) {
  analyse("#line 42 \"a.h\"\nint x;\ndouble x;\n#line 7 \"b.h\"\nint f(");
  ASSERT_EQ(messages().size(), 2u) << reported();
  EXPECT_EQ(messages()[0].severity, 3);
  EXPECT_EQ(messages()[0].file, "a.h");
  EXPECT_EQ(messages()[0].line, 43);
  EXPECT_EQ(messages()[1].code, "UNEXP_EOF");
  EXPECT_EQ(messages()[1].severity, 2);
  EXPECT_EQ(messages()[1].file, "b.h");
  const Symbol* x = member(kGlobalScope, "x");
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->file.text(), "a.h");
  EXPECT_EQ(x->line, 42);
}

// Kind, qualified name, arity and image of what is recorded.
TEST_F(DeclParser, RecordsEveryKindOfDeclaration) {
  const std::string dump = analyse(R"(
typedef unsigned char BYTE; struct z_stream_s { BYTE *next_in; unsigned avail_in; };
int printf(const char *fmt, ...); int none(void); int (*handler)(int, char); char *(*table[3])(void);
int m[10][5]; extern int t[]; enum color { RED, GREEN = 5, BLUE, MASK = 1 << 4 | GREEN }; int colours[BLUE + 1];
namespace inv {
  class Registry {
   public:
    Registry(); ~Registry(); virtual void add(int, double) const; static int count;
    bool operator<(const Registry&) const; operator int() const; int Registry::*member;
   private:
    int n_;
  };
}
namespace { int hidden; }
namespace { int other; }
template <class T, int N = 4> class Vec { T data[N]; public: void push(const T&); };
template <class T> T maximum(T a, T b); template <class T> inline T inlined(T); static inline virtual int f3();
struct O {
  O& operator=(const O&); bool operator==(const O&) const; int operator()(int); int& operator[](int);
  void* operator new(unsigned long); void operator delete[](void*); O& operator<<(int);
  operator const char*() const; O* operator->();
};
)");
  EXPECT_EQ(reported(), "");
  expectLines(dump, {
      "typedef\tBYTE\t-\ttypedef unsigned char BYTE\n", "struct\tz_stream_s\t-\tstruct z_stream_s\n",
      "field\tz_stream_s::next_in\t-\tBYTE *next_in\n", "field\tz_stream_s::avail_in\t-\tunsigned avail_in\n",
      "function\tprintf\t1+\tint printf(const char *fmt, ...)\n", "function\tnone\t0\tint none()\n",
      "variable\thandler\t-\tint (*handler)(int, char)\n", "variable\ttable\t-\tchar *(*table[3])()\n",
      "variable\tm\t-\tint m[10][5]\n", "variable\tcolours\t-\tint colours[7]\n",
      "variable\tt\t-\textern int t[]\n", "enumerator\tGREEN\t-\tGREEN = 5\n", "enumerator\tBLUE\t-\tBLUE = 6\n",
      "enumerator\tMASK\t-\tMASK = 21\n", "namespace\tinv\t-\tnamespace inv\n",
      "class\tinv::Registry\t-\tclass Registry\n", "method\tinv::Registry::~Registry\t0\t~Registry()\n",
      "method\tinv::Registry::add\t2\tvirtual void add(int, double) const\n",
      "field\tinv::Registry::count\t-\tstatic int count\n",
      "method\tinv::Registry::operator<\t1\tbool operator<(const Registry &) const\n",
      "method\tinv::Registry::operator int\t0\toperator int() const\n", "field\tinv::Registry::n_\t-\tint n_\n",
      "variable\tzenta_unnamed_namespace_1::hidden\t-\tint hidden\n",
      "variable\tzenta_unnamed_namespace_2::other\t-\tint other\n",
      "template\tVec\t-\ttemplate <class T, int N = 4> class Vec\n", "method\tVec::push\t1\tvoid push(const T &)\n",
      "template\tmaximum\t-\ttemplate <class T> T maximum(T a, T b)\n",
      "template\tinlined\t-\ttemplate <class T> inline T inlined(T)\n",
  });
  for (const char* op : {"operator=", "operator==", "operator()", "operator[]", "operator new", "operator delete[]",
                         "operator<<", "operator const char *", "operator->"})
    EXPECT_NE(dump.find(std::string("\tO::") + op + "\t"), std::string::npos) << op << "\n" << dump;
  // Access, pointers to members, storage image.
  const int registry = table.lookupScopePath("inv::Registry", kGlobalScope);
  ASSERT_GT(registry, 0);
  EXPECT_EQ(member(registry, "n_")->access, Access::Private);
  EXPECT_EQ(member(registry, "add")->access, Access::Public);
  const Type* pm = member(registry, "member")->type;
  ASSERT_EQ(pm->kind, TypeKind::Pointer);
  EXPECT_NE(as<PointerType>(pm)->memberOf, nullptr);
  EXPECT_EQ(storageImage(table.findSymbol(internName("f3"))->storage), "static inline virtual ");
}

// Texts that give no message and record each name given.
TEST_F(DeclParser, BodiesInitialisersAndGnuWordsAreRead) {
  const struct { const char* text; std::vector<const char*> names; } cases[] = {
      {"struct P { int x; P() : x(0) { if (x) { x = 1; } } int get() const { return x > 1 ? x : (x < 0); } };\n"
       "int fn(int a) { struct Inner { int q; }; return a * 2; }\nint after = sizeof(int) + (3 > 2);\n"
       "int arr[] = { 1, 2, { 3 } };\nint g() try { return 1; } catch (...) { return 0; }\nchar c = '}';\n"
       "const char *s = \"}{;\";\nint last;\n",
       {"fn", "after", "arr", "g", "c", "s", "last"}},
      {"__extension__ typedef long long int64;\n"
       "extern int fa(int) __attribute__((__nothrow__, __leaf__)) __asm__(\"fa64\");\nextern char *__restrict p;\n"
       "static __inline int inl(void) { return 0; }\ntypedef __builtin_va_list va;\n__typeof__(fa) fb;\n"
       "_Float128 q;\nint __attribute__((aligned(8))) aligned;\nextern \"C\" { int c_linkage(void); }\n"
       "extern \"C\" int c_one(void);\nasm(\"nop\");\n",
       {"int64", "fa", "p", "inl", "va", "fb", "q", "aligned", "c_linkage", "c_one"}},
  };
  for (const auto& c : cases) {
    analyse(c.text);
    EXPECT_EQ(reported(), "");
    for (const char* name : c.names) EXPECT_NE(member(kGlobalScope, name), nullptr) << name;
  }
  analyse(cases[0].text);
  EXPECT_EQ(table.lookupTag(internName("Inner"), -1, kGlobalScope), nullptr);
  EXPECT_TRUE(member(kGlobalScope, "fn")->defined);
}

TEST_F(DeclParser, DefinitionsCompleteTheirDeclarations) {
  const std::string dump =
      analyse("#line 1 \"c.h\"\nclass A { public: int f(int); static int n; };\n#line 1 \"c.cpp\"\n"
              "int A::n = 3;\nint A::f(int x)\n{\n  return x;\n}\n");
  EXPECT_EQ(reported(), "");
  const Symbol* f = symbol("A::f");
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->defined);
  EXPECT_EQ(f->file.text(), "c.cpp");
  EXPECT_EQ(f->line, 2);  // the line of its name
  EXPECT_EQ(dump.find("A::f\t1"), dump.rfind("A::f\t1"));  // one entry
}

TEST_F(DeclParser, RecoveryKeepsTheDeclarationsBeforeAndAfter) {
  const std::string dump = analyse(
      "int before;\nint ) broken;\nstruct S { int a; garbage here; int b; };\nint (oops ]; int after_paren;\n}\n"
      "int after;\n");
  EXPECT_EQ(messages().size(), 4u) << reported();
  for (const char* name : {"before", "after_paren", "after"}) EXPECT_NE(member(kGlobalScope, name), nullptr) << name;
  expectLines(dump, {"field\tS::a\t-\tint a\n", "field\tS::b\t-\tint b\n"});
}

TEST_F(DeclParser, TypesOfSpecifiersModesAndWidthPragmas) {
  ctx.registerTypeModifier("__far");
  analyse("void f(_out int *p, _IN int n); __far int g;\n"
          "signed short a; unsigned long b; long double c; unsigned char d; long long e; const char *s;\n"
          "typedef unsigned char U8;\n#pragma zenta sizeof U8 = 16\n#pragma zenta sizeof long = 64\n"
          "U8 small; long big;\n#pragma zenta signof char = unsigned\nchar uc;\n");
  EXPECT_EQ(reported(), "");
  const FunctionType* f = dyn<FunctionType>(typeOf("f"));
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(f->parameters.size(), 2u);
  Type* p = f->parameters[0]->type;
  Type* n = f->parameters[1]->type;
  EXPECT_EQ(modeOfIndex(ctx.parameterMode(p, true)), ModeOut);
  EXPECT_EQ(modeOfIndex(ctx.parameterMode(n, true)), ModeIn);
  EXPECT_EQ(typeImage(p), "int *");
  EXPECT_EQ(typeOf("g")->kind, TypeKind::Modified);
  EXPECT_EQ(typeImage(typeOf("c")), "long double");
  EXPECT_TRUE(isCharLike(typeOf("d")));
  EXPECT_EQ(typeImage(typeOf("s")), "const char *");
  // Widths (0: not checked) and signedness, after the pragmas.
  const struct { const char* name; int width; bool isSigned; } integers[] = {
      {"a", 16, true}, {"b", 0, false}, {"e", 64, true}, {"small", 16, false}, {"big", 64, true}, {"uc", 8, false}};
  for (const auto& k : integers) {
    if (k.width) {
      EXPECT_EQ(integerWidth(typeOf(k.name)), k.width) << k.name;
    }
    EXPECT_EQ(isSignedInteger(typeOf(k.name)), k.isSigned) << k.name;
  }
}

TEST_F(DeclParser, ElaboratedNamesAndAnonymousMembers) {
  // Elaborated names in a class declare in the enclosing namespace.
  const std::string dump =
      analyse("namespace n { struct File { const struct Methods *pm; struct Other *po; struct In { int i; } in;"
              " struct In *pi; }; struct Methods { int v; }; }"
              " struct S { int k; union { int a; float b; }; struct { char c; } named; };");
  EXPECT_EQ(reported(), "");
  expectLines(dump, {"struct\tn::Methods\t-\tstruct Methods\n", "struct\tn::Other\t-\tstruct Other\n",
                     "field\tn::File::pi\t-\tIn *pi\n"});
  const Type* methods =
      table.lookupTag(internName("Methods"), static_cast<int>(TypeKind::Structure), kGlobalScope)->type;
  EXPECT_EQ(stripAll(targetOf(member(table.lookupScopePath("n::File", kGlobalScope), "pm")->type)), methods);
  EXPECT_NE(findMember(methods, internName("v")), nullptr);
  // Members of anonymous unions belong to the enclosing structure.
  const Type* s = table.lookupTag(internName("S"), static_cast<int>(TypeKind::Structure), kGlobalScope)->type;
  for (const char* m : {"a", "b", "named"}) EXPECT_NE(findMember(s, internName(m)), nullptr) << m;
  EXPECT_EQ(findMember(s, internName("c")), nullptr);
}

TEST_F(DeclParser, TemplatesSpecialisationsAndMembersOutsideTheClass) {
  analyse(R"(
namespace std {
  template <class T> class allocator;
  template <class T, class A = allocator<T> > class vector {
   public:
    typedef T value_type; typedef unsigned long size_type; class iterator { T *p; };
    size_type size() const; template <class It> void assign(It first, It last); vector& operator=(const vector& other);
  };
  template <class T, class A> typename vector<T, A>::size_type vector<T, A>::size() const { return 0; }
  template <class T, class A> template <class It> void vector<T, A>::assign(It f, It l) {}
  template <class T, class A> vector<T, A>& vector<T, A>::operator=(const vector<T, A>& o) { return *this; }
  template <> class vector<bool> { public: vector(); unsigned long size() const; };
  template class vector<int>;
  template <class T> struct less { bool operator()(const T& a, const T& b) const { return a < b; } };
}
std::vector<int> numbers; std::vector<int>::size_type n; std::vector<int>::iterator it;
)");
  EXPECT_EQ(reported(), "");
  EXPECT_NE(symbol("numbers"), nullptr);
  EXPECT_NE(symbol("it"), nullptr);
  EXPECT_EQ(integerWidth(typeOf("n")), 32);
  ASSERT_NE(symbol("std::vector::size"), nullptr);
  EXPECT_TRUE(symbol("std::vector::size")->defined);
}

// 10,000 nested parentheses, braces, template brackets or scopes end with a
// message, never a stack overflow.
TEST_F(DeclParser, DeepNestingEndsWithAMessage) {
  const int depth = 10000;
  auto repeat = [&](const char* even, const char* odd = nullptr) {
    std::string s;
    for (int i = 0; i < depth; ++i) s += odd && i % 2 ? odd : even;
    return s;
  };
  const std::string cases[] = {
      "int " + std::string(depth, '(') + "x" + std::string(depth, ')') + "; int later;",
      std::string(depth, '{') + std::string(depth, '}') + " int later;",
      "template <class T> class A {}; A" + repeat("<A") + " x; int later;",
      repeat("namespace n {") + std::string(depth, '}'),
      repeat("struct s { "),
      repeat("extern \"C\" ") + "int x;",
      repeat("template <> ", "template ") + "int x;",
      "int f(" + repeat("int (*)("),
  };
  for (const std::string& text : cases) {
    analyse(text);
    EXPECT_FALSE(messages().empty()) << text.substr(0, 40);
  }
  // An enumerator value nested that deep is not a constant; the
  // enumeration is recorded all the same.
  analyse("enum { A = " + std::string(depth, '(') + "1" + std::string(depth, ')') + " }; int later;");
  EXPECT_NE(symbol("A"), nullptr);
  EXPECT_NE(symbol("later"), nullptr);
}

// ---------------------------------------------------------------- dialects

// Each snippet gives no message, and the dump holds each line given.
TEST_F(DeclParser, DialectConstructsAreReadWithoutAMessage) {
  const Dialect c11 = Dialect::Cxx11, c17 = Dialect::Cxx17, c20 = Dialect::Cxx20;
  struct Case {
    Dialect dialect;
    const char* text;
    std::vector<const char*> lines;  // lines the dump must hold
  };
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
    const std::string dump = analyse(c.text, c.dialect);
    EXPECT_EQ(reported(), "") << c.text;
    expectLines(dump, c.lines);
  }
}

// What a later stage types: the scoped enumeration's flag, scope and
// underlying type; rvalue references as references to references;
// placeholders named by their text with the initialiser kept.
TEST_F(DeclParser, DialectRecordsInATypeableForm) {
  analyse("namespace n { enum class E : short { A, B }; } int&& r(); auto v = 1.5; const auto& w = v;"
          " struct S { int&& m() &&; int& m() &; };",
          Dialect::Cxx17);
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
  EXPECT_EQ(typeImage(symbol("v")->type), "auto");
  EXPECT_EQ(symbol("v")->defaultText(), "1.5");
  EXPECT_EQ(symbol("w")->defaultText(), "v");
  EXPECT_EQ(table.findAllSymbols(internName("m")).size(), 2u);  // both ref-qualified overloads
}

// The words each dialect reserves, for the lexer and the parser.
TEST_F(DeclParser, KeywordsOfEachDialect) {
  const struct { Dialect dialect; const char* word; lex::Tok code; } words[] = {
      {Dialect::Classic, "constexpr", lex::Tok::Identifier}, {Dialect::Cxx11, "constexpr", lex::Tok::KwConstexpr},
      {Dialect::Cxx14, "decltype", lex::Tok::KwDecltype},   {Dialect::Cxx17, "concept", lex::Tok::Identifier},
      {Dialect::Cxx20, "concept", lex::Tok::KwConcept},     {Dialect::Cxx23, "co_await", lex::Tok::KwCoAwait},
      {Dialect::Classic, "overload", lex::Tok::KwOverload}, {Dialect::Cxx20, "<=>", lex::Tok::Spaceship},
      {Dialect::Cxx17, "<=>", lex::Tok::LessEqual},
  };
  for (const auto& c : words) {
    setDialect(c.dialect);
    lex::DeclarationLexer lexer(c.word);
    EXPECT_EQ(lexer.next().code, c.code) << c.word << " in " << dialectName(c.dialect);
  }
  const struct {
    Dialect dialect;
    const char* text;
    const char* reported;  // "*": some message
  } texts[] = {
      {Dialect::Classic, "int nullptr; int constexpr; auto int a; int requires;", ""},
      {Dialect::Classic, "enum class E { A };", "*"}, {Dialect::Cxx11, "int nullptr;", "SYNTAXERR:nullptr"},
      {Dialect::Cxx17, "int requires; int concept;", ""}, {Dialect::Cxx20, "int requires;", "*"},
      {Dialect::Classic, "enum { Big = 1000000000000 };", "ENTOUTRAN:1000000000000"},
  };
  for (const auto& c : texts) {
    analyse(c.text, c.dialect);
    if (c.reported[0] == '*') EXPECT_NE(reported(), "") << c.text;
    else EXPECT_EQ(reported(), c.reported) << c.text;
  }
  expectLines(analyse(texts[0].text), {"variable\tnullptr\t-\tint nullptr\n", "variable\ta\t-\tauto int a\n"});
  // From C++11 an unsuffixed constant too large for int is a long.
  setTargetWidth(BaseWidth::Long, 64);
  analyse("enum { Big = 1000000000000 }; int a[Big / 1000000000000];", Dialect::Cxx11);
  EXPECT_EQ(reported(), "");
  EXPECT_EQ(symbol("Big")->value, 1000000000000);
}

}  // namespace
