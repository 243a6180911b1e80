/* Comments, splices and literals. */
int a /* inline */ = 1; // line comment
int b = 2; /* multi
line */ int c = 3;
#define SPLICED 1 + \
  2
int d = SPLICED;
const char* e = "/* not a comment */";
const char* f = "// not a comment";
char g = '"';
const char* h = "a\"b";
int lo\
ng_name = 4;
// comment with a splice \
continues here
int i = 5;
/* Comments before the '#' of a directive are blanks. */
/**/ #define CM 1
CM
/* c */ # /* c */ define CN 2
CN
/* a comment
   over lines */ #define CK 3
CK
#if 0
/**/ #else
taken_else
  /* x */ #endif
x /* not at the start of a line */ #define CL 4
CL
