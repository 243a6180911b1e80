#include "counter.h"

int counter_value = 0;
int counter_limit = 10;

int counter_step(int by) {
  counter_value += by;
  if (counter_value > counter_limit) counter_value = counter_limit;
  return counter_value;
}
