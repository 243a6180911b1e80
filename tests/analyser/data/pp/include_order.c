// args: -Iinc_a -Iinc_b -Iinc_c
/* Include search through the directories, include_next. */
#include <only_b.h>
#include "only_c.h"
#include <next.h>
#include "vers2.h"
#include <memory>
