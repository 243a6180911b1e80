// A meter whose step depends on a scale: the code under test of the
// end-to-end environment script.
#ifndef METER_H
#define METER_H

extern int meter_a;
extern int meter_b;
extern int meter_c;
extern int meter_scale;
extern int meter_log[3];

// a grows by the scale, b is twice a, c counts the steps; the log is left
// as it is.
void meter_step(void);

// Thrown by meter_guard when a is beyond the limit.
struct MeterOverflow {};
void meter_guard(int limit);

#endif
