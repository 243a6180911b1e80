#pragma zenta sizeof long = 64
#if sizeof(long) == 8
wide
#endif
#pragma zenta type_modifier = far
#pragma zenta pragma off #pragma zenta stop_analyse
#pragma off
#define HIDDEN 1
#pragma zenta start_analyse
#line 100 "other.h"
__LINE__
#warning done
#pragma zenta incl
