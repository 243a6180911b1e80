#define OBJ 1 + 2
#define F(a, b) ((a) * (b))
#define S(x) #x
#define XS(x) S(x)
#define CAT(a, b) a ## b
#define V(fmt, ...) p(fmt, ## __VA_ARGS__)
#define Q[a] a+1
int x = F(OBJ, 3) + CAT(O, BJ);
const char* s = XS(F(1, 2)) S(  a  "b\n"  'c' );
V("x") V("y", 1, 2) Q[4] Q(4)
#define f(x) x + f(x)
f(f(1))
