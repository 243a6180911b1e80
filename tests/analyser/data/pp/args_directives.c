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
