// expect: NOARTOMAC
/* Stringising corner cases. */
#define s(x) #x
#define xs(x) s(x)
s(  leading and   inner   blanks  )
s("quoted \"inner\" \\ backslash")
s('"') s('\'') s("\n")
s(a
  b)
s(/* comment */ c /* comment */)
#define N 42
s(N) xs(N)
#define EMPTY
xs(EMPTY) xs(x EMPTY y)
#define s2(a, b) #a #b
s2(,) s2(1 , 2)
