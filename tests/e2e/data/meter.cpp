#include "meter.h"

int meter_a;
int meter_b;
int meter_c;
int meter_scale;
int meter_log[3];

void meter_step(void) {
  meter_a += meter_scale;
  meter_b = meter_a * 2;
  meter_c = meter_c + 1;
}

void meter_guard(int limit) {
  if (meter_a > limit) throw MeterOverflow();
}
