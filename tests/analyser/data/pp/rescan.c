/* Rescanning and self reference. */
#define foo foo
foo
#define a a b
#define b a c
a | b
#define f(x) x + f(x)
f(f(1))
#define g(x) h(x)
#define h(x) g(x)
g(1) h(2)
#define ff(a) a*gg
#define gg(a) ff(a)
ff(2)(9)
#define AF(x) x
#define AG AF
AG(AG)(3)
#define NIL(x) x
#define G_0(arg) NIL(G_1)(arg)
#define G_1(arg) NIL(arg)
G_0(42)
#define LPAREN (
#define F(x) [x]
F LPAREN 1 )
