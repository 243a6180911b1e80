// A gauge that reads a level in percent.
#ifndef GAUGE_H
#define GAUGE_H

extern int gauge_level;

// Fills the gauge by `amount` percent, at most to 100.
void gauge_fill(int amount);

#endif
