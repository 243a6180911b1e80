// The declaration parser on short texts: what it records (through the dump
// of the declarations) and the messages it gives, each with its argument.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analyser/ast/context.h"
#include "analyser/ast/images.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/target_widths.h"
#include "analyser/parse/decl_parser.h"

#include "capture.h"

using namespace zenta::analyser;

namespace {

using analysertest::capture;
using analysertest::Message;
using analysertest::messages;

class DeclParser : public ::testing::Test {
 protected:
  void SetUp() override {
    resetTargetWidths();
    messages().clear();
    ctx.setMessageHook(&capture);
  }
  void TearDown() override { resetTargetWidths(); }

  bool analyse(const std::string& text) {
    text_ = text;
    DeclarationRequest r;
    r.buffer = text_;
    r.hook = &capture;
    r.log = &log;
    return analyseDeclarations(ctx, table, r);
  }
  std::string dump() const { return dumpDeclarations(log, table); }
  // "CODE:argument" of each message, blank-separated.
  static std::string reported() {
    std::string out;
    for (const Message& m : messages()) out += (out.empty() ? "" : " ") + m.code + ":" + m.argument;
    return out;
  }
  bool has(const std::string& line) const { return dump().find(line + "\n") != std::string::npos; }

  AstContext ctx;
  SymbolTable table{ctx};
  DeclarationLog log;
  std::string text_;
};

// Each text gives exactly these messages (code and argument).
TEST_F(DeclParser, MessagesWithTheirArguments) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
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
      {"int x; double x;", "REDEFSYMB:x"},
      {"int x; int x; extern int x;", ""},
      {"typedef int T; typedef int T;", ""},
      {"typedef int T; typedef long T;", "REDEFSYMB:T"},
      {"int f(int); int f(int a) { return a; } int f(double);", ""},
      {"int f(int); long f(int);", "REDEFSYMB:f"},
      {"int v; void v();", "REDEFSYMB:v"},
      {"enum E { A, B }; int A;", "REDEFSYMB:A"},
      {"struct S {int a;}; struct S {int a;};", "REDEFSTRU:S"},
      {"struct S; struct S { int a; }; struct S *p;", ""},
      {"enum E { A }; enum E { B };", "REDEFSTRU:E"},
      {"namespace N { struct S {}; } struct S {};", ""},
      {"int f(", "UNEXP_EOF:("},
      {"struct S { int a;", "UNEXP_EOF:;"},
      {"int x = ;", ""},
      {"int 3x;", "SYNTAXERR:3"},
      {"int x y; int z;", "SYNTAXERR:y"},
      {"using namespace std int x;", "SYNTAXERR:'using' without ';'"},
      {"namespace N { int a; } using N::a int y;", "SYNTAXERR:'using' without ';'"},
      {"template <class T> int v;", "TEMPLADEC:v"},
      {"template <class T> class V; template <class T, class U> class V {};", "TEMPLADEC:V"},
      {"template <class T> class V {}; V<int, int> w;", "TEMINSINC:V<int, int>"},
      {"template <class T, class U = int> class V {}; V<int> a; V<int, long> b; V<> c;", "TEMINSINC:V<>"},
      {"class N {}; template class N<int>;", "TEMINSINC:N<int>"},
      {"template <class T, class U> class W; template <class T, class U = int> class W; W<char> *w;", ""},
      {"short long x;", "CONSTRUCT:short long"},
      {"struct S {}; unsigned S y;", "CONSTRUCT:unsigned S"},
      {"int xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx yyyyyy;",
       "SYNTAXERR:yyyyyy"},
      {"int a zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz;",
       "SYNTAXERR:zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz"},
  };
  for (const auto& c : cases) {
    SetUp();
    table.clear();
    log.clear();
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
  SymbolFilter f;
  f.scope = kGlobalScope;
  const Symbol* x = table.findSymbol(internName("x"), f);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->file.text(), "a.h");
  EXPECT_EQ(x->line, 42);
}

// Kind, qualified name, arity and image of what is recorded.
TEST_F(DeclParser, RecordsEveryKindOfDeclaration) {
  analyse(R"(
typedef unsigned char BYTE;
struct z_stream_s { BYTE *next_in; unsigned avail_in; };
int printf(const char *fmt, ...);
int none(void);
int (*handler)(int, char);
char *(*table[3])(void);
int m[10][5];
extern int t[];
enum color { RED, GREEN = 5, BLUE, MASK = 1 << 4 | GREEN };
int colours[BLUE + 1];
namespace inv {
  class Registry {
   public:
    Registry();
    ~Registry();
    virtual void add(int, double) const;
    static int count;
    bool operator<(const Registry&) const;
    operator int() const;
    int Registry::*member;
   private:
    int n_;
  };
}
namespace { int hidden; }
namespace { int other; }
template <class T, int N = 4> class Vec { T data[N]; public: void push(const T&); };
template <class T> T maximum(T a, T b);
template <class T> inline T inlined(T);
static inline virtual int f3();
)");
  EXPECT_EQ(reported(), "");
  for (const char* line : {
           "typedef\tBYTE\t-\ttypedef unsigned char BYTE",
           "struct\tz_stream_s\t-\tstruct z_stream_s",
           "field\tz_stream_s::next_in\t-\tBYTE *next_in",
           "field\tz_stream_s::avail_in\t-\tunsigned avail_in",
           "function\tprintf\t1+\tint printf(const char *fmt, ...)",
           "function\tnone\t0\tint none()",
           "variable\thandler\t-\tint (*handler)(int, char)",
           "variable\ttable\t-\tchar *(*table[3])()",
           "variable\tm\t-\tint m[10][5]",
           "variable\tcolours\t-\tint colours[7]",
           "variable\tt\t-\textern int t[]",
           "enumerator\tGREEN\t-\tGREEN = 5",
           "enumerator\tBLUE\t-\tBLUE = 6",
           "enumerator\tMASK\t-\tMASK = 21",
           "namespace\tinv\t-\tnamespace inv",
           "class\tinv::Registry\t-\tclass Registry",
           "method\tinv::Registry::~Registry\t0\t~Registry()",
           "method\tinv::Registry::add\t2\tvirtual void add(int, double) const",
           "field\tinv::Registry::count\t-\tstatic int count",
           "method\tinv::Registry::operator<\t1\tbool operator<(const Registry &) const",
           "method\tinv::Registry::operator int\t0\toperator int() const",
           "field\tinv::Registry::n_\t-\tint n_",
           "variable\tzenta_unnamed_namespace_1::hidden\t-\tint hidden",
           "variable\tzenta_unnamed_namespace_2::other\t-\tint other",
           "template\tVec\t-\ttemplate <class T, int N = 4> class Vec",
           "method\tVec::push\t1\tvoid push(const T &)",
           "template\tmaximum\t-\ttemplate <class T> T maximum(T a, T b)",
           "template\tinlined\t-\ttemplate <class T> inline T inlined(T)",
       })
    EXPECT_TRUE(has(line)) << line << "\n" << dump();
  // Access, pointers to members, storage image.
  const int registry = table.lookupScopePath("inv::Registry", kGlobalScope);
  ASSERT_GT(registry, 0);
  SymbolFilter f;
  f.scope = registry;
  EXPECT_EQ(table.findSymbol(internName("n_"), f)->access, Access::Private);
  EXPECT_EQ(table.findSymbol(internName("add"), f)->access, Access::Public);
  const Type* member = table.findSymbol(internName("member"), f)->type;
  ASSERT_EQ(member->kind, TypeKind::Pointer);
  EXPECT_NE(as<PointerType>(member)->memberOf, nullptr);
  EXPECT_EQ(storageImage(table.findSymbol(internName("f3"))->storage), "static inline virtual ");
  // The unnamed namespace's members are visible from outside it.
  EXPECT_NE(table.lookupSymbol(internName("hidden"), kGlobalScope), nullptr);
}

TEST_F(DeclParser, BodiesAndInitialisersAreSkipped) {
  analyse(R"(
struct P { int x; P() : x(0) { if (x) { x = 1; } } int get() const { return x > 1 ? x : (x < 0); } };
int fn(int a) { struct Inner { int q; }; return a * 2; }
int after = sizeof(int) + (3 > 2);
int arr[] = { 1, 2, { 3 } };
int g() try { return 1; } catch (...) { return 0; }
char c = '}';
const char *s = "}{;";
int last;
)");
  EXPECT_EQ(reported(), "");
  for (const char* name : {"after", "arr", "g", "c", "s", "last"})
    EXPECT_NE(table.lookupSymbol(internName(name), kGlobalScope), nullptr) << name;
  EXPECT_EQ(table.lookupTag(internName("Inner"), -1, kGlobalScope), nullptr);
  const Symbol* fn = table.lookupSymbol(internName("fn"), kGlobalScope);
  ASSERT_NE(fn, nullptr);
  EXPECT_TRUE(fn->defined);
}

TEST_F(DeclParser, DefinitionsCompleteTheirDeclarations) {
  analyse("#line 1 \"c.h\"\nclass A { public: int f(int); static int n; };\n#line 1 \"c.cpp\"\n"
          "int A::n = 3;\nint A::f(int x)\n{\n  return x;\n}\n");
  EXPECT_EQ(reported(), "");
  const Symbol* f = table.lookupQualified("A::f", kGlobalScope);
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->defined);
  EXPECT_EQ(f->file.text(), "c.cpp");
  EXPECT_EQ(f->line, 2);  // the line of its name
  // The member declared in the class is the one entry.
  EXPECT_EQ(dump().find("A::f\t1"), dump().rfind("A::f\t1"));
}

TEST_F(DeclParser, RecoveryKeepsTheDeclarationsBeforeAndAfter) {
  analyse(R"(
int before;
int ) broken;
struct S { int a; garbage here; int b; };
int (oops ]; int after_paren;
}
int after;
)");
  EXPECT_EQ(messages().size(), 4u) << reported();
  for (const char* name : {"before", "after_paren", "after"})
    EXPECT_NE(table.lookupSymbol(internName(name), kGlobalScope), nullptr) << name << "\n" << dump();
  EXPECT_TRUE(has("field\tS::a\t-\tint a")) << dump();
  EXPECT_TRUE(has("field\tS::b\t-\tint b")) << dump();
}

TEST_F(DeclParser, ParameterModesAndModifiers) {
  ctx.registerTypeModifier("__far");
  analyse("void f(_out int *p, _IN int n); __far int g;");
  EXPECT_EQ(reported(), "");
  const FunctionType* f = dyn<FunctionType>(table.lookupSymbol(internName("f"), kGlobalScope)->type);
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(f->parameters.size(), 2u);
  Type* p = f->parameters[0]->type;
  Type* n = f->parameters[1]->type;
  EXPECT_EQ(modeOfIndex(ctx.parameterMode(p, true)), ModeOut);
  EXPECT_EQ(modeOfIndex(ctx.parameterMode(n, true)), ModeIn);
  EXPECT_EQ(typeImage(p), "int *");
  EXPECT_EQ(typeImage(n), "int");
  EXPECT_EQ(table.lookupSymbol(internName("g"), kGlobalScope)->type->kind, TypeKind::Modified);
}

TEST_F(DeclParser, SpecifierCombinationsGiveTheirBaseTypes) {
  analyse("signed short a; unsigned long b; long double c; unsigned char d; long long e; const char *s;");
  auto type = [&](const char* n) { return table.lookupSymbol(internName(n), kGlobalScope)->type; };
  EXPECT_EQ(integerWidth(type("a")), 16);
  EXPECT_TRUE(isSignedInteger(type("a")));
  EXPECT_FALSE(isSignedInteger(type("b")));
  EXPECT_EQ(typeImage(type("c")), "long double");
  EXPECT_TRUE(isCharLike(type("d")));
  EXPECT_EQ(integerWidth(type("e")), 64);
  EXPECT_EQ(typeImage(type("s")), "const char *");
}

TEST_F(DeclParser, ElaboratedNamesInAClassDeclareInTheEnclosingNamespace) {
  analyse("namespace n { struct File { const struct Methods *pm; struct Other *po; struct In { int i; } in;"
          " struct In *pi; }; struct Methods { int v; }; }");
  EXPECT_EQ(reported(), "");
  EXPECT_TRUE(has("struct\tn::Methods\t-\tstruct Methods")) << dump();
  EXPECT_TRUE(has("struct\tn::Other\t-\tstruct Other")) << dump();
  EXPECT_TRUE(has("field\tn::File::pi\t-\tIn *pi")) << dump();
  const int file = table.lookupScopePath("n::File", kGlobalScope);
  SymbolFilter f;
  f.scope = file;
  const Type* pm = table.findSymbol(internName("pm"), f)->type;
  const Type* methods = table.lookupQualified("n::Methods", kGlobalScope) ? nullptr
                        : table.lookupTag(internName("Methods"), static_cast<int>(TypeKind::Structure), kGlobalScope)->type;
  ASSERT_NE(methods, nullptr);
  EXPECT_EQ(stripAll(targetOf(pm)), methods);
  EXPECT_NE(findMember(methods, internName("v")), nullptr);
}

TEST_F(DeclParser, WidthPragmasOnBaseTypesAndTypedefNames) {
  analyse("typedef unsigned char U8;\n#pragma zenta sizeof U8 = 16\n#pragma zenta sizeof long = 64\n"
          "U8 small; long big;\n#pragma zenta signof char = unsigned\nchar c;\n");
  EXPECT_EQ(reported(), "");
  EXPECT_EQ(integerWidth(table.lookupSymbol(internName("small"), kGlobalScope)->type), 16);
  EXPECT_EQ(integerWidth(table.lookupSymbol(internName("big"), kGlobalScope)->type), 64);
  EXPECT_FALSE(isSignedInteger(table.lookupSymbol(internName("c"), kGlobalScope)->type));
}

TEST_F(DeclParser, TemplatesSpecialisationsAndMembersOutsideTheClass) {
  analyse(R"(
namespace std {
  template <class T> class allocator;
  template <class T, class A = allocator<T> > class vector {
   public:
    typedef T value_type;
    typedef unsigned long size_type;
    class iterator { T *p; };
    size_type size() const;
    template <class It> void assign(It first, It last);
    vector& operator=(const vector& other);
  };
  template <class T, class A> typename vector<T, A>::size_type vector<T, A>::size() const { return 0; }
  template <class T, class A> template <class It> void vector<T, A>::assign(It f, It l) {}
  template <class T, class A> vector<T, A>& vector<T, A>::operator=(const vector<T, A>& o) { return *this; }
  template <> class vector<bool> { public: vector(); unsigned long size() const; };
  template class vector<int>;
  template <class T> struct less { bool operator()(const T& a, const T& b) const { return a < b; } };
}
std::vector<int> numbers;
std::vector<int>::size_type n;
std::vector<int>::iterator it;
)");
  EXPECT_EQ(reported(), "");
  EXPECT_NE(table.lookupSymbol(internName("numbers"), kGlobalScope), nullptr);
  EXPECT_NE(table.lookupSymbol(internName("it"), kGlobalScope), nullptr);
  const Symbol* n = table.lookupSymbol(internName("n"), kGlobalScope);
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(integerWidth(n->type), 32);
  const Symbol* size = table.lookupQualified("std::vector::size", kGlobalScope);
  ASSERT_NE(size, nullptr);
  EXPECT_TRUE(size->defined);
}

TEST_F(DeclParser, ConversionOperatorsAndOperatorNames) {
  analyse(R"(
struct O {
  O& operator=(const O&);
  bool operator==(const O&) const;
  int operator()(int);
  int& operator[](int);
  void* operator new(unsigned long);
  void operator delete[](void*);
  O& operator<<(int);
  bool operator>(const O&) const;
  operator const char*() const;
  O* operator->();
};
)");
  EXPECT_EQ(reported(), "");
  for (const char* n : {"operator=", "operator==", "operator()", "operator[]", "operator new", "operator delete[]",
                        "operator<<", "operator>", "operator const char *", "operator->"})
    EXPECT_TRUE(has(std::string("method\tO::") + n + "\t") || dump().find(std::string("O::") + n + "\t") !=
                                                                   std::string::npos)
        << n << "\n" << dump();
  EXPECT_EQ(identifierForm("operator new"), "operator__new");
}

TEST_F(DeclParser, GnuWordsOfTheCHeadersAreRead) {
  analyse(R"(
__extension__ typedef long long int64;
extern int fa(int) __attribute__((__nothrow__, __leaf__)) __asm__("fa64");
extern char *__restrict p;
static __inline int inl(void) { return 0; }
typedef __builtin_va_list va;
__typeof__(fa) fb;
_Float128 q;
int __attribute__((aligned(8))) aligned;
extern "C" { int c_linkage(void); }
extern "C" int c_one(void);
asm("nop");
)");
  EXPECT_EQ(reported(), "");
  for (const char* name : {"int64", "fa", "p", "inl", "va", "fb", "q", "aligned", "c_linkage", "c_one"})
    EXPECT_NE(table.lookupSymbol(internName(name), kGlobalScope), nullptr) << name << "\n" << dump();
}

// 10,000 nested parentheses, braces, template brackets or scopes end with a
// message, never a stack overflow.
TEST_F(DeclParser, DeepNestingEndsWithAMessage) {
  const int depth = 10000;
  const std::string cases[] = {
      "int " + std::string(depth, '(') + "x" + std::string(depth, ')') + "; int later;",
      std::string(depth, '{') + std::string(depth, '}') + " int later;",
      "template <class T> class A {}; A" + [&] {
        std::string s;
        for (int i = 0; i < depth; ++i) s += "<A";
        return s;
      }() + " x; int later;",
      [&] {
        std::string s;
        for (int i = 0; i < depth; ++i) s += "namespace n {";
        return s + std::string(depth, '}');
      }(),
      [&] {
        std::string s;
        for (int i = 0; i < depth; ++i) s += "struct s { ";
        return s;
      }(),
      [&] {
        std::string s;
        for (int i = 0; i < depth; ++i) s += "extern \"C\" ";
        return s + "int x;";
      }(),
      [&] {
        std::string s;
        for (int i = 0; i < depth; ++i) s += i % 2 ? "template " : "template <> ";
        return s + "int x;";
      }(),
      "int f(" + [&] {
        std::string s;
        for (int i = 0; i < depth; ++i) s += "int (*)(";
        return s;
      }(),
  };
  for (const std::string& text : cases) {
    SetUp();
    table.clear();
    log.clear();
    analyse(text);
    EXPECT_FALSE(messages().empty()) << text.substr(0, 40);
  }
  // An enumerator value nested that deep is not a constant; the
  // enumeration is recorded all the same.
  SetUp();
  analyse("enum { A = " + std::string(depth, '(') + "1" + std::string(depth, ')') + " }; int later;");
  EXPECT_NE(table.lookupSymbol(internName("A"), kGlobalScope), nullptr);
  EXPECT_NE(table.lookupSymbol(internName("later"), kGlobalScope), nullptr);
}

}  // namespace

namespace {

TEST_F(DeclParser, MembersOfAnonymousUnionsBelongToTheEnclosingStructure) {
  analyse("struct S { int k; union { int a; float b; }; struct { char c; } named; };");
  EXPECT_EQ(reported(), "");
  const Symbol* s = table.lookupTag(internName("S"), static_cast<int>(TypeKind::Structure), kGlobalScope);
  ASSERT_NE(s, nullptr);
  EXPECT_NE(findMember(s->type, internName("a")), nullptr);
  EXPECT_NE(findMember(s->type, internName("b")), nullptr);
  EXPECT_NE(findMember(s->type, internName("named")), nullptr);
  EXPECT_EQ(findMember(s->type, internName("c")), nullptr);
}

}  // namespace
