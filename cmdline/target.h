// The target package lookup and the runtime header reference.
//
// The harness is compiled later against a target package that supplies the
// runtime object and the harness macros. The package is found through ZNUTGT
// (else ZNTTGT); its lib folder holds "TP.h" or "provado.h". The runtime
// header reference is the text written after "#include " in the harness and
// handed to the C/C++ analyser; it carries its own double quotes.
#pragma once

#include <optional>
#include <string>

namespace zenta::cmdline {

// What the lookup reads: the environment values (unset is nullopt) and the
// WITHSEPARATE switch.
struct TargetInputs {
  std::optional<std::string> znutgt;
  std::optional<std::string> znttgt;
  std::optional<std::string> cppIncludeOverride;  // ZENTACPPINC
  bool withSeparate = false;
};

struct TargetConfiguration {
  std::string targetDirectory;   // empty when neither variable is set
  std::string runtimeHeader;     // e.g. "\"TP.h\"" or "\"/opt/t/lib/TP.h\""
  std::string runtimeHeaderPath; // the candidate that opened; empty when none
  bool packageFound = false;     // false: the warning BADRUNTIM is due
};

// Settles the configuration from the inputs; reports nothing.
TargetConfiguration settleTarget(const TargetInputs& inputs);

// Locates the target package from the environment and the settings, reports
// "BADRUNTIM" when no runtime header is found, and keeps the result.
void loadTargetConfiguration();

// The runtime header reference of the run (default "\"TP.h\"").
const std::string& runtimeHeaderReference();
// The target directory of the run (empty when none is set).
const std::string& targetDirectory();
// Replaces the kept configuration; for tests.
void setTargetConfigurationForTests(const TargetConfiguration& configuration);

}  // namespace zenta::cmdline
