int next_a;
#include_next <next.h>
