#include "boiler.h"

Boiler boiler;
Phase plant_phase = Phase::Idle;

void Boiler::heat(int steps) noexcept {
  for (int i = 0; i < steps; ++i) {
    if (pressure_ >= plant::limits::kMaxPressure) {
      phase = phase == Phase::Holding ? Phase::Fault : Phase::Holding;
      alarm = phase == Phase::Fault ? Alarm::High : Alarm::None;
      continue;
    }
    pressure_ += plant::limits::kStep;
    phase = Phase::Heating;
  }
  plant_phase = phase;
  plant_log += name + ":" + std::to_string(pressure_) + ";";
}

void Boiler::record(int pressure, double temperature) {
  last = std::make_unique<Reading>();
  last->pressure = pressure;
  last->temperature = temperature;
  setpoint = pressure;
}

std::string Boiler::describe() const {
  return name + (phase == Phase::Fault ? " fault" : phase == Phase::Holding ? " holding" : " working");
}
