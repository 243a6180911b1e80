/* Pasting corner cases. */
#define cat(a, b) a ## b
#define xcat(a, b) cat(a, b)
#define ONE 1
cat(ONE, 2) xcat(ONE, 2)
cat(x, y) cat(, y) cat(x, ) cat(,)
cat(1, .5) cat(0x, 1F) cat(<, <) cat(+, =)
#define pre(x) prefix_ ## x
pre(name) pre(ONE)
#define three(a, b, c) a ## b ## c
three(a, b, c) three(1, 2, 3)
#define OBJ in ## side
#define inside 7
OBJ
/* The tokens of an argument stay apart when its ends are pasted. */
#define CAT2(a, b) PCAT(a, b)
#define PCAT(a, b) a ## b
#define XB() B
#define ABC 1
CAT2(A, XB() C) CAT2(A, XB()C) CAT2(XB()C, D)
