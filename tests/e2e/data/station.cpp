#include "station.h"

#include <cstring>

int station_count = 0;
long station_total = 0;
unsigned short station_flags = 0;
char station_grade = 'D';
char station_log[32] = "";
const char *station_status = "idle";
double station_ratio = 0.0;
float station_weight = 0.0f;
int station_grid[2][3];
int station_series[5];
enum Colour station_colour = RED;
Mode station_mode = MODE_OFF;
Point2 station_origin = {0, 0};
struct Segment station_segment;
union Value station_value;
struct Sensor station_sensor;
struct Sensor *station_current = nullptr;
int *station_cursor = nullptr;
Gauge station_gauge;

Gauge::Gauge() : level(0), scale(1.0), label("gauge"), limits{0, 100} {}
int Gauge::doubled() const { return level * 2; }
double Gauge::scaled() const { return level * scale; }
bool Gauge::within() const { return level >= limits[0] && level <= limits[1]; }
const char *Gauge::caption() const { return label; }
void Gauge::set(int value) {
  level = value;
  std::strcpy(label, value > limits[1] ? "high" : value < limits[0] ? "low" : "ok");
}

void sensor_reset(struct Sensor *s, const char *name) {
  std::memset(s, 0, sizeof *s);
  std::strncpy(s->name, name, sizeof s->name - 1);
  s->unit = "C";
  s->gain = 1.0f;
  s->mode = MODE_ON;
  station_current = s;
}

int sensor_record(struct Sensor *s, int sample) {
  for (int k = 3; k > 0; --k) s->history[k] = s->history[k - 1];
  s->history[0] = sample;
  s->reading = sample * static_cast<double>(s->gain);
  s->samples += 1;
  s->position.x += 1;
  if (s->samples > 3) s->mode = MODE_AUTO;
  return static_cast<int>(s->samples);
}

int segment_move(struct Segment *seg, int dx, int dy, enum Colour colour) {
  seg->from.x += dx;
  seg->from.y += dy;
  seg->to.x += dx;
  seg->to.y += dy;
  seg->colour = colour;
  const int w = seg->to.x - seg->from.x, h = seg->to.y - seg->from.y;
  return w * w + h * h;
}

void grid_spread(int factor) {
  long total = 0;
  for (int c = 0; c < 3; ++c) {
    station_series[c] = 0;
    for (int r = 0; r < 2; ++r) {
      station_grid[r][c] += factor;
      station_series[c] += station_grid[r][c];
    }
    total += station_series[c];
  }
  station_series[3] = 0;
  station_series[4] = static_cast<int>(total);
  station_total = total;
}

void station_note(const char *word) {
  std::strncat(station_log, word, sizeof station_log - std::strlen(station_log) - 1);
  station_count += 1;
  station_flags = static_cast<unsigned short>(station_flags | (1u << station_count));
  station_status = station_count > 2 ? "busy" : "ready";
  station_grade = static_cast<char>('A' + (station_count < 4 ? 3 - station_count : 0));
  station_ratio = station_count / 4.0;
  station_weight = station_weight + 0.5f;
}

void station_point(int index) { station_cursor = index >= 0 && index < 5 ? &station_series[index] : nullptr; }
