int next_b;
#include_next <next.h>
