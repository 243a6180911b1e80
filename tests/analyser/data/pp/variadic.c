/* Variadic macros. */
#define v0(...) [__VA_ARGS__]
#define v1(a, ...) [a | __VA_ARGS__]
#define count(...) n(__VA_ARGS__)
v0() v0(1) v0(1, 2, 3) v0((a, b), c)
v1(1) v1(1, 2) v1(1, 2, 3)
count(x,y)
#define s(...) #__VA_ARGS__
s() s(a) s(a,b) s( a , b )
#define gnu(fmt, args...) printf(fmt, args)
gnu("%d %d", 1, 2)
#define swallow(fmt, ...) printf(fmt, ## __VA_ARGS__)
swallow("x") swallow("x", 1)
