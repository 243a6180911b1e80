// expect: IDENREDEF
/* Conditionals and definitions between the arguments of a macro call. */
#define f(a, b) [a|b]
f(1,
#ifdef NOT_DEFINED
  2
#else
  3
#endif
)
f(
#define INSIDE 4
  INSIDE,
#if 0
  /* skipped ) , */ 9
#elif 1
  5
#endif
)
after
/* The macro called is removed or redefined between its own arguments: the
   call is expanded with the definition it started with. */
#define F(x) x
F(
#undef F
1)
F(2)
#define g(a,b) [a|b]
g(1,
#undef g
2)
#define F(x) x
F(
#define F(y) y+1
1)
F(2)
