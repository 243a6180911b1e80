#include "analyser/target_widths.h"

namespace zenta::analyser {
namespace {
constexpr int kDefaults[] = {8, 16, 32, 32, 64};
int g_widths[] = {8, 16, 32, 32, 64};
bool g_charUnsigned = false;
}  // namespace

int targetWidth(BaseWidth which) { return g_widths[static_cast<int>(which)]; }
void setTargetWidth(BaseWidth which, int bits) { g_widths[static_cast<int>(which)] = bits; }
bool plainCharUnsigned() { return g_charUnsigned; }
void setPlainCharUnsigned(bool isUnsigned) { g_charUnsigned = isUnsigned; }
void resetTargetWidths() {
  for (int i = 0; i < 5; ++i) g_widths[i] = kDefaults[i];
  g_charUnsigned = false;
}

}  // namespace zenta::analyser
