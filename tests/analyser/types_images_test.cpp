// Type images in C declarator syntax and identifier forms of names.
#include <set>

#include "types_fixture.h"

namespace zenta::analyser::testing {
namespace {

using TypeImages = TablesTest;

TEST_F(TypeImages, DeclaratorsNestAsCRequires) {
  auto* i = I("int");
  auto* c = I("char");
  const Name cst = n("const");
  auto* printf = fn(i, {{"fmt", ctx.pointerTo(ctx.modifiedType(cst, c))}, {"", ctx.ellipsisType()}});
  ctx.addException(printf, ctx.structureType(n("Error"), true, 0));
  auto* g = fn(ctx.voidType());
  ctx.addException(g, nullptr);
  const struct { Type* type; const char* declarator; const char* expected; } cases[] = {
      {nullptr, "x", "int x"}, {ctx.pointerTo(i), "p", "int *p"}, {ctx.pointerTo(i), "", "int *"},
      {ctx.pointerTo(ctx.pointerTo(c)), "argv", "char **argv"},
      {ctx.pointerTo(ctx.arrayOf(i, "10")), "p", "int (*p)[10]"},
      {ctx.pointerTo(ctx.arrayOf(i, "10")), "", "int (*)[10]"},
      {ctx.arrayOf(ctx.pointerTo(i), "4"), "a", "int *a[4]"},
      {ctx.arrayOf(ctx.arrayOf(i, "5"), "10"), "t", "int t[10][5]"}, {ctx.arrayOf(i), "t", "int t[]"},
      {ctx.arrayOf(i, "", 7), "t", "int t[7]"}, {ctx.pointerTo(fn(i, {{"", c}})), "fp", "int (*fp)(char)"},
      {ctx.arrayOf(ctx.pointerTo(fn(ctx.voidType(), {{"n", i}})), "3"), "handlers", "void (*handlers[3])(int n)"},
      {fn(ctx.pointerTo(ctx.arrayOf(c, "8"))), "f", "char (*f())[8]"},
      {fn(ctx.pointerTo(fn(i, {{"", I("long")}})), {{"k", c}}), "pick", "int (*pick(char k))(long)"},
      {printf, "printf", "int printf(const char *fmt, ...) throw (Error)"}, {g, "g", "void g() throw ()"},
      {fn(i, {}, true), "size", "int size() const"}, {ctx.qualifiedType(i, cst), "k", "const int k"},
      {ctx.qualifiedType(ctx.qualifiedType(i, n("volatile")), cst), "r", "const volatile int r"},
      {ctx.pointerTo(ctx.qualifiedType(c, cst)), "s", "const char *s"},
      {ctx.qualifiedType(ctx.pointerTo(c), cst), "s", "char * const s"},
      {ctx.qualifiedType(ctx.pointerTo(c), cst), "", "char * const"},
      {ctx.qualifiedType(ctx.pointerTo(ctx.qualifiedType(c, cst)), cst), "s", "const char * const s"},
      {ctx.pointerTo(ctx.qualifiedType(ctx.pointerTo(c), cst)), "pp", "char * const *pp"},
      {ctx.referenceTo(i), "r", "int &r"}, {ctx.referenceTo(ctx.pointerTo(i)), "rp", "int *&rp"},
      {ctx.referenceTo(ctx.arrayOf(i, "3")), "ra", "int (&ra)[3]"},
      {ctx.pointerTo(ctx.modifiedType(n("_out"), i)), "p", "_out int *p"},
      {ctx.pointerTo(ctx.typedefType(n("BYTE"), I("unsigned char"), 0)), "b", "BYTE *b"},
      {ctx.floatingType("long double"), "d", "long double d"},
      {ctx.memberPointerTo(ctx.structureType(n("Shape"), true, 0), i), "pm", "int Shape::*pm"},
      {ctx.memberPointerTo(ctx.structureType(n("Shape"), true, 0), fn(i, {}, true)), "area",
       "int (Shape::*area)() const"},
  };
  for (const auto& k : cases) EXPECT_EQ(image(k.type, k.declarator), k.expected);
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
  // Unnamed namespaces are not written.
  const int unnamed = table.openUnnamedNamespace();
  auto* hidden = ctx.structureType(n("Hidden"), false, unnamed);
  table.closeScope();
  EXPECT_EQ(image(hidden, "h"), "Hidden h");
}

TEST_F(TypeImages, BodiesOfDefinitionsAndAnonymousTypes) {
  auto* node = structure("Node", {{"value", I("int")}});
  ctx.addMember(node, ctx.makeMember(n("next"), ctx.pointerTo(node), 0, 0, Access::Public));
  node->complete = true;
  ImageOptions o;
  o.table = &table;
  o.definitions = true;
  EXPECT_EQ(typeImage(node, "head", o), "struct Node { int value; Node *next; } head");  // printed once
  EXPECT_EQ(image(node, "head"), "Node head");
  auto* colours = ctx.enumerationType(Name(), 0);
  ctx.addEnumerator(colours, n("RED"), 0);
  ctx.addEnumerator(colours, n("BLUE"), 4);
  auto* anon = ctx.structureType(Name(), false, 0);
  ctx.addMember(anon, ctx.makeMember(n("x"), I("short"), 0, 0, Access::Public));
  EXPECT_EQ(image(anon, "s"), "struct { short x; } s");
  EXPECT_EQ(image(colours, "c"), "enum { RED = 0, BLUE = 4 } c");
}

TEST_F(TypeImages, TemplatesAndParameterLists) {
  auto* templ = ctx.templateType(n("Stack"), 0);
  templ->target = ctx.structureType(n("Stack"), true, 0);
  ctx.addTemplateParameter(templ, {TemplateParameterKind::Type, n("T"), false, nullptr, ""});
  ctx.addTemplateParameter(templ, {TemplateParameterKind::Value, n("N"), false, I("int"), "16"});
  EXPECT_EQ(image(templ), "template <class T, int N = 16> class Stack");
  auto* ftempl = ctx.templateType(n("first"), 0);
  ftempl->target = fn(ctx.pointerTo(I("char")), {{"a", I("int")}});
  ctx.addTemplateParameter(ftempl, {TemplateParameterKind::Type, n("U"), true, nullptr, ""});
  EXPECT_EQ(image(ftempl, "first"), "template <typename U> char *first(int a)");
  // Parameter names can be left out.
  auto* copy = fn(ctx.voidType(), {{"dst", ctx.pointerTo(I("char"))}, {"n", I("unsigned")}});
  ImageOptions o;
  o.table = &table;
  o.parameterNames = false;
  EXPECT_EQ(typeImage(copy, "copy", o), "void copy(char *, unsigned)");
  EXPECT_EQ(parameterListImage(copy), "char *dst, unsigned n");
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

TEST_F(TypeImages, IdentifierForms) {
  const std::pair<const char*, const char*> cases[] = {
      {"compute", "compute"}, {"$cost", "_cost"}, {"unsigned int", "unsignedint"},
      {"~Stack", "destructor_Stack"}, {"operator()", "operator_function_call"},
      {"operator ()", "operator_function_call"}, {"operator+=", "operator_add_assign"},
      {"operator new", "operator__new"}, {"operator delete[]", "operator__delete[]"},
      {"operator<<=", "operator_left_shift_assign"}, {"operator->*", "operator_arrow_star"},
      {"operator[]", "operator_subscript"}, {"operator||", "operator_or"}, {"operator~", "operator_invbit"},
      {"operator_x", "operator_x"}, {"operators", "operators"}, {"Stack::push", "Stack__push"},
      {"Stack::~Stack", "Stack__destructor_Stack"}, {"ns::Vec::operator==", "ns__Vec__operator_equal"},
  };
  for (const auto& [name, form] : cases) EXPECT_EQ(identifierForm(name), form) << name;
  // Every operator has a word of its own.
  const char* ops[] = {"!", "!=", "%", "%=", "&", "&=", "&&", "()", "*", "*=", "+", "+=", "++", "-", "-=", "--",
                       "->", "->*", ".", ".*", "/", "/=", "<", "<=", "<<", "<<=", "=", "==", ">", ">=", ">>",
                       ">>=", "[]", "^", "^=", "|", "|=", "||", "~"};
  std::set<std::string> words;
  for (const char* op : ops) {
    ASSERT_NE(operatorWord(op), nullptr) << op;
    words.insert(operatorWord(op));
  }
  EXPECT_EQ(words.size(), std::size(ops));
  EXPECT_EQ(operatorWord("new"), nullptr);
}

}  // namespace
}  // namespace zenta::analyser::testing
