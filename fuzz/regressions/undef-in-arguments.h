#define F(x) x
F(
#undef F
1)
#define f(a,b) [a|b]
f(1,
#undef f
2)
#define G(x) x
G(
#define G(y) y+1
1)
