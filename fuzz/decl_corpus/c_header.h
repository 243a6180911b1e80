#line 1 "c.h"
typedef unsigned char BYTE;
typedef struct z_stream_s { BYTE *next_in; unsigned avail_in; struct z_stream_s *next; } z_stream;
enum color { RED, GREEN = 5, BLUE = GREEN << 2 };
extern int printf(const char *__restrict fmt, ...) __attribute__((format(printf, 1, 2)));
int (*handler)(int, char);
char *(*table[3])(void);
extern int t[]; int t[10];
union value { int i; float f; };
static __inline int inl(void) { return 0; }
#pragma zenta sizeof long = 64
void f(_out int *p, _IN int n, __far char c);
