// Type images in C declarator syntax and identifier forms of names.
#include <functional>
#include <set>

#include "types_fixture.h"

namespace zenta::analyser::testing {
namespace {

class TypeImages : public TablesTest {};

struct ImageCase {
  const char* what;
  std::function<Type*()> build;
  const char* declarator;
  const char* expected;
};

TEST_F(TypeImages, DeclaratorsNestAsCRequires) {
  auto* i = I("int");
  auto* c = I("char");
  const Name cst = n("const");
  const Name vol = n("volatile");
  const ImageCase cases[] = {
      {"null type", [] { return nullptr; }, "x", "int x"},
      {"plain", [&] { return i; }, "x", "int x"},
      {"pointer", [&] { return ctx.pointerTo(i); }, "p", "int *p"},
      {"abstract pointer", [&] { return ctx.pointerTo(i); }, "", "int *"},
      {"pointer to pointer", [&] { return ctx.pointerTo(ctx.pointerTo(c)); }, "argv", "char **argv"},
      {"pointer to array", [&] { return ctx.pointerTo(ctx.arrayOf(i, "10")); }, "p", "int (*p)[10]"},
      {"abstract pointer to array", [&] { return ctx.pointerTo(ctx.arrayOf(i, "10")); }, "", "int (*)[10]"},
      {"array of pointers", [&] { return ctx.arrayOf(ctx.pointerTo(i), "4"); }, "a", "int *a[4]"},
      {"array of arrays", [&] { return ctx.arrayOf(ctx.arrayOf(i, "5"), "10"); }, "t", "int t[10][5]"},
      {"open array", [&] { return ctx.arrayOf(i); }, "t", "int t[]"},
      {"constant dimension", [&] { return ctx.arrayOf(i, "", 7); }, "t", "int t[7]"},
      {"pointer to function",
       [&] {
         auto* f = ctx.functionType(i);
         ctx.addParameter(f, param("", c));
         return ctx.pointerTo(f);
       },
       "fp", "int (*fp)(char)"},
      {"array of pointers to functions",
       [&] {
         auto* f = ctx.functionType(ctx.voidType());
         ctx.addParameter(f, param("n", i));
         return ctx.arrayOf(ctx.pointerTo(f), "3");
       },
       "handlers", "void (*handlers[3])(int n)"},
      {"function returning pointer to array",
       [&] { return ctx.functionType(ctx.pointerTo(ctx.arrayOf(c, "8"))); }, "f", "char (*f())[8]"},
      {"function returning pointer to function",
       [&] {
         auto* inner = ctx.functionType(i);
         ctx.addParameter(inner, param("", I("long")));
         auto* outer = ctx.functionType(ctx.pointerTo(inner));
         ctx.addParameter(outer, param("k", c));
         return outer;
       },
       "pick", "int (*pick(char k))(long)"},
      {"ellipsis and exception list",
       [&] {
         auto* f = ctx.functionType(i);
         ctx.addParameter(f, param("fmt", ctx.pointerTo(ctx.modifiedType(cst, c))));
         ctx.addParameter(f, param("", ctx.ellipsisType()));
         ctx.addException(f, ctx.structureType(n("Error"), true, 0));
         return f;
       },
       "printf", "int printf(const char *fmt, ...) throw (Error)"},
      {"empty exception list",
       [&] {
         auto* f = ctx.functionType(ctx.voidType());
         ctx.addException(f, nullptr);
         return f;
       },
       "g", "void g() throw ()"},
      {"const method", [&] {
         auto* f = ctx.functionType(i);
         f->constMethod = true;
         return f;
       }, "size", "int size() const"},
      {"const int", [&] { return ctx.qualifiedType(i, cst); }, "k", "const int k"},
      {"const volatile", [&] { return ctx.qualifiedType(ctx.qualifiedType(i, vol), cst); }, "r", "const volatile int r"},
      {"pointer to const", [&] { return ctx.pointerTo(ctx.qualifiedType(c, cst)); }, "s", "const char *s"},
      {"const pointer", [&] { return ctx.qualifiedType(ctx.pointerTo(c), cst); }, "s", "char * const s"},
      {"abstract const pointer", [&] { return ctx.qualifiedType(ctx.pointerTo(c), cst); }, "", "char * const"},
      {"const pointer to const", [&] { return ctx.qualifiedType(ctx.pointerTo(ctx.qualifiedType(c, cst)), cst); }, "s",
       "const char * const s"},
      {"pointer to const pointer", [&] { return ctx.pointerTo(ctx.qualifiedType(ctx.pointerTo(c), cst)); }, "pp",
       "char * const *pp"},
      {"reference", [&] { return ctx.referenceTo(i); }, "r", "int &r"},
      {"reference to pointer", [&] { return ctx.referenceTo(ctx.pointerTo(i)); }, "rp", "int *&rp"},
      {"reference to array", [&] { return ctx.referenceTo(ctx.arrayOf(i, "3")); }, "ra", "int (&ra)[3]"},
      {"mode word", [&] { return ctx.pointerTo(ctx.modifiedType(n("_out"), i)); }, "p", "_out int *p"},
      {"typedef keeps its name", [&] { return ctx.pointerTo(ctx.typedefType(n("BYTE"), I("unsigned char"), 0)); }, "b",
       "BYTE *b"},
      {"long double", [&] { return ctx.floatingType("long double"); }, "d", "long double d"},
  };
  for (const auto& k : cases) EXPECT_EQ(image(k.build(), k.declarator), k.expected) << k.what;
}

TEST_F(TypeImages, MemberPointersNameTheirClass) {
  auto* cls = ctx.structureType(n("Shape"), true, 0);
  auto* method = ctx.functionType(I("int"));
  method->constMethod = true;
  EXPECT_EQ(image(ctx.memberPointerTo(cls, I("int")), "pm"), "int Shape::*pm");
  EXPECT_EQ(image(ctx.memberPointerTo(cls, method), "area"), "int (Shape::*area)() const");
}

TEST_F(TypeImages, TagsAreQualifiedFromOtherScopes) {
  const int ns = table.openScope(n("geo"), ScopeKind::Namespace);
  auto* point = ctx.structureType(n("Point"), false, ns);
  const int cls = table.openScope(n("Point"), ScopeKind::Class, point);
  auto* inner = ctx.enumerationType(n("Axis"), cls);
  table.closeScope();
  table.closeScope();
  ImageOptions fromGlobal;
  fromGlobal.table = &table;
  EXPECT_EQ(typeImage(ctx.pointerTo(point), "p", fromGlobal), "geo::Point *p");
  EXPECT_EQ(typeImage(inner, "a", fromGlobal), "geo::Point::Axis a");
  ImageOptions fromInside = fromGlobal;
  fromInside.requestingScope = cls;
  EXPECT_EQ(typeImage(inner, "a", fromInside), "Axis a");
  EXPECT_EQ(typeImage(point, "p", fromInside), "Point p");
  fromGlobal.tagKeywords = true;
  EXPECT_EQ(typeImage(point, "p", fromGlobal), "struct geo::Point p");
  EXPECT_EQ(typeImage(inner, "", fromGlobal), "enum geo::Point::Axis");
}

TEST_F(TypeImages, UnnamedNamespacesAreNotWritten) {
  const int ns = table.openUnnamedNamespace();
  auto* hidden = ctx.structureType(n("Hidden"), false, ns);
  table.closeScope();
  EXPECT_EQ(image(hidden, "h"), "Hidden h");
}

TEST_F(TypeImages, SelfReferencingStructureIsPrintedOnce) {
  auto* node = ctx.structureType(n("Node"), false, 0);
  ctx.addMember(node, ctx.makeMember(n("value"), I("int"), 0, 0, Access::Public));
  ctx.addMember(node, ctx.makeMember(n("next"), ctx.pointerTo(node), 0, 0, Access::Public));
  node->complete = true;
  ImageOptions o;
  o.table = &table;
  o.definitions = true;
  EXPECT_EQ(typeImage(node, "head", o), "struct Node { int value; Node *next; } head");
  EXPECT_FALSE(node->printing);
  EXPECT_EQ(image(node, "head"), "Node head");
}

TEST_F(TypeImages, AnonymousTypesShowTheirBody) {
  auto* anon = ctx.structureType(Name(), false, 0);
  ctx.addMember(anon, ctx.makeMember(n("x"), I("short"), 0, 0, Access::Public));
  auto* colours = ctx.enumerationType(Name(), 0);
  ctx.addEnumerator(colours, n("RED"), 0);
  ctx.addEnumerator(colours, n("BLUE"), 4);
  EXPECT_EQ(image(anon, "s"), "struct { short x; } s");
  EXPECT_EQ(image(colours, "c"), "enum { RED = 0, BLUE = 4 } c");
}

TEST_F(TypeImages, TemplatesPrintTheirParameterList) {
  auto* stack = ctx.structureType(n("Stack"), true, 0);
  auto* templ = ctx.templateType(n("Stack"), 0);
  templ->target = stack;
  ctx.addTemplateParameter(templ, {TemplateParameterKind::Type, n("T"), false, nullptr, ""});
  ctx.addTemplateParameter(templ, {TemplateParameterKind::Value, n("N"), false, I("int"), "16"});
  EXPECT_EQ(image(templ), "template <class T, int N = 16> class Stack");

  auto* fn = ctx.functionType(ctx.pointerTo(I("char")));
  ctx.addParameter(fn, param("a", I("int")));
  auto* ftempl = ctx.templateType(n("first"), 0);
  ftempl->target = fn;
  ctx.addTemplateParameter(ftempl, {TemplateParameterKind::Type, n("U"), true, nullptr, ""});
  EXPECT_EQ(image(ftempl, "first"), "template <typename U> char *first(int a)");
}

TEST_F(TypeImages, ParameterNamesCanBeLeftOut) {
  auto* f = ctx.functionType(ctx.voidType());
  ctx.addParameter(f, param("dst", ctx.pointerTo(I("char"))));
  ctx.addParameter(f, param("n", I("unsigned")));
  ImageOptions o;
  o.table = &table;
  o.parameterNames = false;
  EXPECT_EQ(typeImage(f, "copy", o), "void copy(char *, unsigned)");
  EXPECT_EQ(parameterListImage(f), "char *dst, unsigned n");
}

TEST_F(TypeImages, StorageWordsFollowTheirFixedOrder) {
  EXPECT_EQ(storageImage(StVirtual | StStatic | StInline), "static inline virtual ");
  EXPECT_EQ(storageImage(StExtern | StFriend | StTypedef), "typedef friend extern ");
  EXPECT_EQ(storageImage(StMutable | StExplicit | StExport | StOverload | StRegister | StAuto),
            "auto register overload export explicit mutable ");
  EXPECT_EQ(storageImage(0), "");
  EXPECT_EQ(storageBitOfWord("register"), StRegister);
  EXPECT_EQ(storageBitOfWord("const"), 0u);
}

struct FormCase {
  const char* name;
  const char* form;
};

TEST_F(TypeImages, IdentifierForms) {
  const FormCase cases[] = {
      {"compute", "compute"},
      {"f2", "f2"},
      {"$cost", "_cost"},
      {"unsigned int", "unsignedint"},
      {"~Stack", "destructor_Stack"},
      {"operator()", "operator_function_call"},
      {"operator ()", "operator_function_call"},
      {"operator+=", "operator_add_assign"},
      {"operator new", "operator__new"},
      {"operator delete[]", "operator__delete[]"},
      {"operator<<=", "operator_left_shift_assign"},
      {"operator->*", "operator_arrow_star"},
      {"operator[]", "operator_subscript"},
      {"operator||", "operator_or"},
      {"operator~", "operator_invbit"},
      {"operator_x", "operator_x"},
      {"operators", "operators"},
      {"Stack::push", "Stack__push"},
      {"Stack::~Stack", "Stack__destructor_Stack"},
      {"ns::Vec::operator==", "ns__Vec__operator_equal"},
  };
  for (const auto& k : cases) EXPECT_EQ(identifierForm(k.name), k.form) << k.name;
}

TEST_F(TypeImages, OperatorWordTableIsComplete) {
  const char* ops[] = {"!", "!=", "%", "%=", "&", "&=", "&&", "()", "*", "*=", "+", "+=", "++",
                       "-", "-=", "--", "->", "->*", ".", ".*", "/", "/=", "<", "<=", "<<", "<<=",
                       "=", "==", ">", ">=", ">>", ">>=", "[]", "^", "^=", "|", "|=", "||", "~"};
  std::set<std::string> words;
  for (const char* op : ops) {
    const char* w = operatorWord(op);
    ASSERT_NE(w, nullptr) << op;
    words.insert(w);
  }
  EXPECT_EQ(words.size(), std::size(ops));  // no two operators share a word
  EXPECT_STREQ(operatorWord("%="), "mod_assign");
  EXPECT_STREQ(operatorWord("^"), "xorbit");
  EXPECT_EQ(operatorWord("new"), nullptr);
  EXPECT_EQ(operatorWord("<>"), nullptr);
}

}  // namespace
}  // namespace zenta::analyser::testing
