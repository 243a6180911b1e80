#include "generator/skeleton.h"

namespace zenta::generator {
namespace {
bool g_suppressed[5] = {false, false, false, false, false};
}  // namespace

void setSuppressed(Suppression reason, bool on) { g_suppressed[reason] = on; }
bool suppressed(Suppression reason) { return g_suppressed[reason]; }
bool generationSuppressed() {
  for (bool s : g_suppressed)
    if (s) return true;
  return false;
}
void resetSuppression() {
  for (bool& s : g_suppressed) s = false;
}

// The generation handlers below are filled by the harness generator.
void prepareGeneration() {}
void genHeader(const std::string&, const std::string&, const std::string&, const std::string*) {}
void genServiceType(const std::string&) {}
void genBegin() {}
void genService(const std::string&) {}
void genEndService() {}
void genTest(const std::string&, const std::string&) {}
void genEndTest() {}
void genFamily(const std::vector<std::string>&) {}
void genEndFamily() {}
void genElement() {}
void genEndElement() {}
void genException(const std::string&) {}
void genComment(const std::string&) {}
void genRequirement(const std::string&) {}
void genInitializationBlock(bool) {}
void genTerminationBlock(bool) {}
void genNativeLine(const std::string&) {}
void genTraceComment(const std::string&) {}
void genEndOfProgram() {}

}  // namespace zenta::generator
