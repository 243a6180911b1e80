#include "analyser/basic/target_widths.h"

namespace zenta::analyser {
namespace {
constexpr int kDefaults[] = {8, 16, 32, 32, 64};
int g_widths[] = {8, 16, 32, 32, 64};
bool g_charUnsigned = false;
bool g_unsigned[] = {false, false, false, false, false};  // Char unused: g_charUnsigned
void (*g_listener)() = nullptr;
void changed() {
  if (g_listener) g_listener();
}
}  // namespace

int targetWidth(BaseWidth which) { return g_widths[static_cast<int>(which)]; }
void setTargetWidth(BaseWidth which, int bits) {
  g_widths[static_cast<int>(which)] = bits;
  changed();
}
bool plainCharUnsigned() { return g_charUnsigned; }
void setPlainCharUnsigned(bool isUnsigned) {
  g_charUnsigned = isUnsigned;
  changed();
}
void resetTargetWidths() {
  for (int i = 0; i < 5; ++i) g_widths[i] = kDefaults[i];
  g_charUnsigned = false;
  for (bool& u : g_unsigned) u = false;
  changed();
}

bool targetUnsigned(BaseWidth which) {
  if (which == BaseWidth::Char) return g_charUnsigned;
  return g_unsigned[static_cast<int>(which)];
}

void setTargetUnsigned(BaseWidth which, bool isUnsigned) {
  if (which == BaseWidth::Char)
    g_charUnsigned = isUnsigned;
  else
    g_unsigned[static_cast<int>(which)] = isUnsigned;
  changed();
}

void setTargetWidthsListener(void (*listener)()) { g_listener = listener; }

}  // namespace zenta::analyser
