// Helpers shared by the command-line tests.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "cmdline/options.h"

namespace zenta::cmdline::testing_support {

// The usage text as the decoder prints it: without its "-XT" line.
inline std::string usageWithoutXt() {
  std::string usage = usageText();
  const std::string xt = "\t[-XT=<level>[,level]]\n";
  const auto at = usage.find(xt);
  if (at != std::string::npos) usage.erase(at, xt.size());
  return usage;
}

// The whole text of one decoder error (untranslated).
inline std::string expectedLine(const std::string& message, const std::string& offending) {
  std::string line = "Quartolab Command analysis : " + message;
  if (!offending.empty()) line += " " + offending;
  return line + usageWithoutXt() + "\n";
}

// Sets (or unsets) an environment variable for the lifetime of the guard.
class EnvGuard {
 public:
  EnvGuard(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    if (value) setenv(name_.c_str(), value->c_str(), 1);
    else unsetenv(name_.c_str());
  }
  ~EnvGuard() {
    if (old_) setenv(name_.c_str(), old_->c_str(), 1);
    else unsetenv(name_.c_str());
  }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace zenta::cmdline::testing_support
