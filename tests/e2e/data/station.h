// A small weather station: the code under test of the end-to-end variable
// scripts. Its state lives in module variables of every common C and C++
// shape, which the scripts initialise before a call and check after it.
#ifndef STATION_H
#define STATION_H

enum Colour { RED, GREEN = 5, BLUE };
typedef enum { MODE_OFF, MODE_ON, MODE_AUTO } Mode;
typedef unsigned int Counter;
typedef double Celsius;

struct Point {
  int x;
  int y;
};
typedef struct Point Point2;

struct Segment {
  struct Point from;
  struct Point to;
  enum Colour colour;
};

union Value {
  int i;
  float f;
};

struct Sensor {
  char name[12];
  const char *unit;
  Celsius reading;
  float gain;
  Counter samples;
  Mode mode;
  struct Point position;
  int history[4];
  struct Sensor *next;
};

// A display gauge with public state and const queries.
class Gauge {
 public:
  Gauge();
  int level;
  double scale;
  char label[8];
  int limits[2];
  int doubled() const;
  double scaled() const;
  bool within() const;
  const char *caption() const;
  void set(int value);
};

extern int station_count;
extern long station_total;
extern unsigned short station_flags;
extern char station_grade;
extern char station_log[32];
extern const char *station_status;
extern double station_ratio;
extern float station_weight;
extern int station_grid[2][3];
extern int station_series[5];
extern enum Colour station_colour;
extern Mode station_mode;
extern Point2 station_origin;
extern struct Segment station_segment;
extern union Value station_value;
extern struct Sensor station_sensor;
extern struct Sensor *station_current;
extern int *station_cursor;
extern Gauge station_gauge;

// Resets a sensor and names it; it becomes the current sensor.
void sensor_reset(struct Sensor *s, const char *name);
// Records a sample: it shifts the history, updates the reading
// (sample times gain) and the count, and returns the new count.
int sensor_record(struct Sensor *s, int sample);
// Moves the segment by (dx, dy) and recolours it; returns its squared length.
int segment_move(struct Segment *seg, int dx, int dy, enum Colour colour);
// Adds the factor to every cell of the grid, then sums each column into the
// series; the last series cell gets the grand total.
void grid_spread(int factor);
// Appends a word to the log, counts it, updates the status text, the grade
// ('A' to 'D' by count), the ratio and the weight.
void station_note(const char *word);
// Points the cursor at the series cell of the index (or at nothing).
void station_point(int index);

#endif
