// A dial whose setting the tests initialise from lists and ranges; each
// turn doubles the settings and counts the turns.
#ifndef DIAL_H
#define DIAL_H

extern int dial_setting;
extern double dial_level;
extern int dial_turns;
extern int dial_top;
extern int dial_notch;  // left alone by the turns

void dial_turn(void);

#endif
