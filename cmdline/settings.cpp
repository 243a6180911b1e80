#include "cmdline/settings.h"

namespace zenta::cmdline {

namespace {
Settings& store() {
  static Settings s;
  return s;
}
}  // namespace

const Settings& settings() { return store(); }
Settings& mutableSettings() { return store(); }
void resetSettings() { store() = Settings{}; }

bool traceOn(int n) { return n >= 0 && n < 10 && store().traces[static_cast<std::size_t>(n)]; }

void clearSubSystem() { store().subSystem = false; }

}  // namespace zenta::cmdline
