// A counter that stops at its limit.
#ifndef COUNTER_H
#define COUNTER_H

extern int counter_value;
extern int counter_limit;

// Adds `by` to the counter without passing the limit; returns the value.
int counter_step(int by);

#endif
