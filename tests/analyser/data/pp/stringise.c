// expect: NOARTOMAC NOARTOMAC NOARTOMAC
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
/* Tokens that meet after an expansion without white space between them are
   stringised without a blank, and printed apart. */
#define X() 1
#define Y() a
xs(X()2) xs(X() 2) xs(Y()b) X()2 Y()b
#define minus(x) -x
minus(-1) xs(minus(-1)) minus() xs(minus()-)
/* White space at the ends of an argument is not part of it. */
#define PAREN(...) (__VA_ARGS__) - xs((__VA_ARGS__))
#define BRACKET(x) xs([x])
PAREN( a ) PAREN(  a  ,b ) BRACKET( 1 ) BRACKET(1 + 2 )
