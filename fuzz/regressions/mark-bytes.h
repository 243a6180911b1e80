#define S(x) #x
#define F(x) x
"ab"   S("") F(x) F(F(""))
#line 3 "f.h"
F(__FILE__)
#if 1 ++ 1
#endif
