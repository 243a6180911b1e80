#include "gauge.h"

int gauge_level = 0;

void gauge_fill(int amount) {
  gauge_level += amount;
  if (gauge_level > 100) gauge_level = 100;
}
