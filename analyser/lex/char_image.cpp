#include "analyser/lex/char_image.h"

#include <algorithm>
#include <cstdio>

#include "analyser/basic/target_widths.h"

namespace zenta::analyser::lex {

std::string charConstantImage(std::int64_t value) {
  if (value < 0) {
    const int bits = std::clamp(targetWidth(BaseWidth::Char), 1, 63);
    value &= (std::int64_t{1} << bits) - 1;
  }
  switch (value) {
    case 0: return "'\\0'";
    case 8: return "'\\b'";
    case 12: return "'\\f'";
    case 10: return "'\\n'";
    case 13: return "'\\r'";
    case 9: return "'\\t'";
    case 11: return "'\\v'";
    case '\'': return "'\\''";
    case '\\': return "'\\\\'";
    case '"': return "'\\\"'";
    default: break;
  }
  if (value >= 32 && value <= 126) return std::string{'\'', static_cast<char>(value), '\''};
  char buf[40];
  if (value >= 64)  // three octal digits or more, the first not zero
    std::snprintf(buf, sizeof buf, "'\\%llo'", static_cast<unsigned long long>(value));
  else
    std::snprintf(buf, sizeof buf, "'\\0%llo'", static_cast<unsigned long long>(value));
  return buf;
}

}  // namespace zenta::analyser::lex
