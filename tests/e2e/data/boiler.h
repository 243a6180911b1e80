// A boiler controller written as modern C++: the code under test of the
// C++17 end-to-end script. Its state is kept in scoped enumerations, a
// std::string, a std::optional and a std::unique_ptr member; its limits are
// constexpr constants of a nested namespace.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace plant::limits {
constexpr int kMaxPressure = 12;
constexpr int kStep = 3;
inline constexpr double kNominal = 65.5;
}  // namespace plant::limits

enum class Phase : std::uint8_t { Idle, Heating, Holding, Fault = 9 };
enum class Alarm { None = 0, Low = 10, High = 20 };

struct Reading {
  int pressure = 0;
  double temperature = 0.0;
};

class Boiler {
 public:
  Boiler() noexcept = default;
  explicit Boiler(std::string label) : name(std::move(label)) {}
  Boiler(const Boiler&) = delete;
  Boiler& operator=(const Boiler&) = delete;
  ~Boiler() = default;

  // Raises the pressure by one step per call; past the limit the boiler
  // holds, and a second call past it is a fault.
  void heat(int steps) noexcept;
  // Keeps the last reading and the set point.
  void record(int pressure, double temperature);
  [[nodiscard]] int pressure() const noexcept { return pressure_; }
  [[nodiscard]] bool ready() const noexcept { return phase == Phase::Holding && alarm == Alarm::None; }
  [[nodiscard]] std::string describe() const;
  [[nodiscard]] bool has_reading() const noexcept { return last != nullptr; }
  // The sum of the parts, whatever their arithmetic types.
  template <typename... Parts>
  [[nodiscard]] int load(Parts&&... parts) noexcept {
    loaded = (0 + ... + static_cast<int>(parts));
    return loaded;
  }

  std::string name = "boiler";
  Phase phase = Phase::Idle;
  Alarm alarm{Alarm::None};
  std::optional<int> setpoint;
  std::unique_ptr<Reading> last;
  int loaded = 0;

 private:
  int pressure_ = 0;
};

extern Boiler boiler;
extern Phase plant_phase;
inline std::string plant_log;
