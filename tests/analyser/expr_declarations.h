// Declarations for the expression tests and the expression fuzz target,
// built with the table API, and the same declarations as C++ source (what
// g++ compiles to check the classes the typer gives).
#pragma once

#include "analyser/ast/context.h"
#include "analyser/ast/symbols.h"

namespace zenta::analyser::testing {

inline constexpr const char* kExpressionDeclarations = R"(
typedef unsigned char BYTE;
typedef double real;
struct point { int x; int y; };
typedef struct point point_t;
union value { int i; float f; char c; };
enum color { RED, GREEN = 5, BLUE };
struct rec {
  char name[20];
  int tab[10][5];
  BYTE flags;
  struct point pos;
  struct point *next;
  union value v;
  enum color col;
  double d;
  const char *label;
  long long big;
  unsigned short us;
};
struct stamp { int year; } stamp;
struct holder { int n; union value u; struct point pts[3]; };
struct Obj { int a; Obj(int); Obj(int, int); int get(); };
namespace ns { int counter; typedef long count_t; }
struct rec r;
struct rec *pr;
struct point pts[4];
point_t origin;
struct holder h;
int t[10];
int m[3][4];
extern int ext[];
char buf[20];
char names[5][8];
char c;
signed char sc;
unsigned char uc;
unsigned u;
long l;
unsigned long ul;
short s;
unsigned short us;
long long ll;
float f;
double d;
long double ld;
int *p;
char *str;
void *vp;
BYTE b;
real rl;
enum color col;
union value val;
const int ci = 1;
int fn(int, char);
double dfn(void);
void vfn(int);
int (*fp)(int, char);
int Obj::*pm;
extern Obj obj;
Obj *pobj;
)";

inline void declareExpressionFixture(AstContext& ctx, SymbolTable& table) {
  auto n = [](const char* text) { return internName(text); };
  auto I = [&](const char* words) -> Type* { return ctx.integerType(words); };
  auto var = [&](const char* name, Type* t, int scope = kGlobalScope) { table.declareSymbol(n(name), t, 0, scope); };
  auto field = [&](StructuredType* s, const char* name, Type* t) {
    ctx.addMember(s, ctx.makeMember(n(name), t, 0, s->memberScope, Access::Public));
  };
  auto structure = [&](const char* tag, bool isUnion = false) {
    StructuredType* s = isUnion ? ctx.unionType(n(tag), kGlobalScope) : ctx.structureType(n(tag), false, kGlobalScope);
    s->complete = true;
    table.createScope(n(tag), ScopeKind::Class, kGlobalScope, s);
    table.declareTag(n(tag), s, kGlobalScope);
    return s;
  };
  auto typedefOf = [&](const char* name, Type* t, int scope = kGlobalScope) {
    TypedefType* td = ctx.typedefType(n(name), t, scope);
    table.declareSymbol(n(name), td, StTypedef, scope);
    return td;
  };

  Type* int_ = I("int");
  Type* char_ = I("char");
  TypedefType* byte = typedefOf("BYTE", I("unsigned char"));
  TypedefType* real = typedefOf("real", ctx.floatingType("double"));
  StructuredType* point = structure("point");
  field(point, "x", int_);
  field(point, "y", int_);
  typedefOf("point_t", point);
  StructuredType* value = structure("value", true);
  field(value, "i", int_);
  field(value, "f", ctx.floatingType("float"));
  field(value, "c", char_);
  EnumerationType* color = ctx.enumerationType(n("color"), kGlobalScope);
  color->complete = true;
  table.declareTag(n("color"), color, kGlobalScope);
  for (auto [name, v] : {std::pair{"RED", 0}, {"GREEN", 5}, {"BLUE", 6}}) {
    ctx.addEnumerator(color, n(name), v);
    Symbol* e = table.declareSymbol(n(name), color, 0, kGlobalScope);
    e->isEnumerator = true;
    e->value = v;
  }
  StructuredType* rec = structure("rec");
  field(rec, "name", ctx.arrayOf(char_, "20", 20));
  field(rec, "tab", ctx.arrayOf(ctx.arrayOf(int_, "5", 5), "10", 10));
  field(rec, "flags", byte);
  field(rec, "pos", point);
  field(rec, "next", ctx.pointerTo(point));
  field(rec, "v", value);
  field(rec, "col", color);
  field(rec, "d", ctx.floatingType("double"));
  field(rec, "label", ctx.pointerTo(ctx.qualifiedType(char_, n("const"))));
  field(rec, "big", I("long long"));
  field(rec, "us", I("unsigned short"));
  StructuredType* stamp = structure("stamp");
  field(stamp, "year", int_);
  var("stamp", stamp);
  StructuredType* holder = structure("holder");
  field(holder, "n", int_);
  field(holder, "u", value);
  field(holder, "pts", ctx.arrayOf(point, "3", 3));

  StructuredType* obj = ctx.structureType(n("Obj"), false, kGlobalScope);
  obj->complete = true;
  const int objScope = table.createScope(n("Obj"), ScopeKind::Class, kGlobalScope, obj);
  table.declareTag(n("Obj"), obj, kGlobalScope);
  auto member = [&](const char* name, Type* t) {
    Symbol* m = ctx.makeMember(n(name), t, 0, objScope, Access::Public);
    ctx.addMember(obj, m);
    table.insertSymbol(m);
  };
  member("a", int_);
  for (int count : {1, 2}) {
    FunctionType* ctor = ctx.functionType(nullptr);
    for (int i = 0; i < count; ++i) ctx.addParameter(ctor, ctx.makeParameter(Name(), int_));
    member("Obj", ctor);
  }
  member("get", ctx.functionType(int_));

  const int ns = table.createScope(n("ns"), ScopeKind::Namespace, kGlobalScope);
  var("counter", int_, ns);
  typedefOf("count_t", I("long"), ns);

  var("r", rec);
  var("pr", ctx.pointerTo(rec));
  var("pts", ctx.arrayOf(point, "4", 4));
  var("origin", table.lookupSymbol(n("point_t"), kGlobalScope)->type);
  var("h", holder);
  var("t", ctx.arrayOf(int_, "10", 10));
  var("m", ctx.arrayOf(ctx.arrayOf(int_, "4", 4), "3", 3));
  var("ext", ctx.arrayOf(int_));
  var("buf", ctx.arrayOf(char_, "20", 20));
  var("names", ctx.arrayOf(ctx.arrayOf(char_, "8", 8), "5", 5));
  for (auto [name, words] : {std::pair{"c", "char"}, {"sc", "signed char"}, {"uc", "unsigned char"},
                             {"u", "unsigned"}, {"l", "long"}, {"ul", "unsigned long"}, {"s", "short"},
                             {"us", "unsigned short"}, {"ll", "long long"}})
    var(name, I(words));
  var("f", ctx.floatingType("float"));
  var("d", ctx.floatingType("double"));
  var("ld", ctx.floatingType("long double"));
  var("p", ctx.pointerTo(int_));
  var("str", ctx.pointerTo(char_));
  var("vp", ctx.pointerTo(ctx.voidType()));
  var("b", byte);
  var("rl", real);
  var("col", color);
  var("val", value);
  var("ci", ctx.qualifiedType(int_, n("const")));
  FunctionType* fn = ctx.functionType(int_);
  ctx.addParameter(fn, ctx.makeParameter(Name(), int_));
  ctx.addParameter(fn, ctx.makeParameter(Name(), char_));
  var("fn", fn);
  var("dfn", ctx.functionType(ctx.floatingType("double")));
  FunctionType* vfn = ctx.functionType(ctx.voidType());
  ctx.addParameter(vfn, ctx.makeParameter(Name(), int_));
  var("vfn", vfn);
  var("fp", ctx.pointerTo(fn));
  var("pm", ctx.memberPointerTo(obj, int_));
  var("obj", obj);
  var("pobj", ctx.pointerTo(obj));
}

}  // namespace zenta::analyser::testing
