/* #line and the predefined names. */
int a = __LINE__;
#line 100
int b = __LINE__;
#line 200 "renamed.c"
const char* c = __FILE__; int d = __LINE__;
#define LINE_NUMBER 300
#line LINE_NUMBER
int e = __LINE__;
int f = __STDC__;
