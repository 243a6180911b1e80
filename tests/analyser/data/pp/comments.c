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
