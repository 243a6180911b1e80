#include "dial.h"

int dial_setting = 0;
double dial_level = 0.0;
int dial_turns = 0;
int dial_top = 10;
int dial_notch = 0;

void dial_turn(void) {
  dial_setting *= 2;
  dial_level *= 2.0;
  ++dial_turns;
}
