#include "analyser/lex/constants.h"

#include <algorithm>
#include <cstdint>

#include "analyser/basic/dialect.h"
#include "analyser/basic/target_widths.h"

namespace zenta::analyser::lex {

using support::ScriptInt;

namespace {

// Widths beyond these bounds cannot come from the pragmas; the clamp keeps a
// bad value set elsewhere from breaking the shifts below.
int clampedWidth(BaseWidth which, int most) { return std::clamp(targetWidth(which), 1, most); }

unsigned digitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  return static_cast<unsigned>(c - 'A' + 10);
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }
bool isHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::uint64_t lowMask(int bits) { return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1; }

ScriptInt powerOfTwo(int bits) { return ScriptInt::shiftLeft(ScriptInt(1), bits).value; }

// The value of one character of a character constant starting at body[i]
// (an escape sequence or a plain byte); advances i past it.
std::uint64_t characterAt(std::string_view body, std::size_t& i, std::string_view text,
                          ConstantReporter& reporter) {
  const char c = body[i++];
  if (c != '\\' || i >= body.size()) return static_cast<unsigned char>(c);
  const char e = body[i++];
  switch (e) {
    case 'n': return 10;
    case 't': return 9;
    case 'v': return 11;
    case 'b': return 8;
    case 'r': return 13;
    case 'f': return 12;
    case 'a': return 7;
    case 'E': return 27;
    case '\'': case '\\': case '?': case '(': case '[': case '{': case '"':
      return static_cast<unsigned char>(e);
    case 'x': {
      std::uint64_t v = 0;
      const std::size_t first = i;
      while (i < body.size() && isHex(body[i])) v = (v << 4) | digitValue(body[i++]);
      if (i == first) reporter.report("NOHEXDIGI", std::string(text));
      return v;
    }
    default:
      break;
  }
  if (isOctal(e)) {
    std::uint64_t v = digitValue(e);
    for (int k = 1; k < 3 && i < body.size() && isOctal(body[i]); ++k) v = v * 8 + digitValue(body[i++]);
    return v;
  }
  reporter.report("SEQUEINCO", std::string{'\\', e});
  return static_cast<unsigned char>(e);
}

}  // namespace

std::size_t scanIntegerSuffix(std::string_view text, IntegerSuffix& suffix) {
  std::size_t n = 0;
  for (; n < text.size(); ++n) {
    const char c = text[n];
    if (c == 'u' || c == 'U')
      suffix.isUnsigned = true;
    else if (c == 'l' || c == 'L')
      ++suffix.longs;
    else
      break;
  }
  return n;
}

void convertInteger(std::string_view digits, int base, IntegerSuffix suffix, std::string_view text,
                    Constant& out, ConstantReporter& reporter) {
  BaseWidth which =
      suffix.longs == 0 ? BaseWidth::Int : (suffix.longs == 1 ? BaseWidth::Long : BaseWidth::LongLong);
  if (dialectAtLeast(Dialect::Cxx11)) {
    // From C++11 a constant takes the first of int, long and long long
    // that holds its value (decimal ones in the signed range).
    std::uint64_t v = 0;
    bool fits = true;
    for (char c : digits) {
      const unsigned d = digitValue(c);
      if (v > (~std::uint64_t{0} - d) / static_cast<std::uint64_t>(base)) fits = false;
      v = v * static_cast<std::uint64_t>(base) + d;
    }
    auto holds = [&](BaseWidth w) {
      const int bits = clampedWidth(w, 64);
      const int valueBits = base == 10 && !suffix.isUnsigned ? bits - 1 : bits;
      return valueBits >= 64 || (v >> valueBits) == 0;
    };
    while (fits && which != BaseWidth::LongLong && !holds(which))
      which = which == BaseWidth::Int ? BaseWidth::Long : BaseWidth::LongLong;
  }
  const int width = clampedWidth(which, 128);
  bool isUnsigned = suffix.isUnsigned || targetUnsigned(which);

  // Most constants fit in 64 bits: accumulate there first.
  const auto b = static_cast<std::uint64_t>(base);
  std::uint64_t acc = 0;
  std::size_t i = 0;
  for (; i < digits.size(); ++i) {
    const unsigned d = digitValue(digits[i]);
    if (acc > (~std::uint64_t{0} - d) / b) break;
    acc = acc * b + d;
  }

  bool outOfRange = false;
  bool topBit = false;
  if (i == digits.size() && width <= 64) {
    if (width < 64 && (acc >> width) != 0) {
      outOfRange = true;
      acc &= lowMask(width);
    }
    topBit = ((acc >> (width - 1)) & 1) != 0;
    out.value = ScriptInt::fromUnsigned(acc);
  } else {
    // Longer digit strings go on in multi-precision, kept below 2^128 (the
    // widest type) so that the low bits stay exact however long the text.
    static const ScriptInt kLimit128 = powerOfTwo(128);
    static const ScriptInt kMask128 = kLimit128 - 1;
    ScriptInt v = ScriptInt::fromUnsigned(acc);
    bool huge = false;
    for (; i < digits.size(); ++i) {
      v = ScriptInt::add(ScriptInt::mul(v, ScriptInt(base)).value, ScriptInt(digitValue(digits[i]))).value;
      if (v >= kLimit128) {
        huge = true;
        v = v & kMask128;
      }
    }
    const ScriptInt limit = powerOfTwo(width);
    outOfRange = huge || v >= limit;
    v = v & (limit - 1);
    topBit = v >= powerOfTwo(width - 1);
    out.value = v;
  }
  if (outOfRange) reporter.report("ENTOUTRAN", std::string(text));
  // A value that needs the sign bit of its width is of the unsigned type of
  // that width, as a hexadecimal constant is in C.
  if (topBit) isUnsigned = true;
  out.width = isUnsigned ? width : -width;
  out.isChar = false;
  out.wide = false;
}

void convertCharacter(std::string_view body, bool wide, bool closed, std::string_view text, Constant& out,
                      ConstantReporter& reporter) {
  const int charWidth = clampedWidth(BaseWidth::Char, 64);
  const int intWidth = clampedWidth(BaseWidth::Int, 64);
  const int maxChars = std::max(1, intWidth / charWidth);
  const std::uint64_t charMask = lowMask(charWidth);

  std::uint64_t packed = 0;
  int count = 0;
  for (std::size_t i = 0; i < body.size();) {
    const std::uint64_t c = characterAt(body, i, text, reporter) & charMask;
    if (++count <= maxChars) packed = charWidth >= 64 ? c : (packed << charWidth) | c;
  }

  if (!closed)
    reporter.report("INVCSTCAR", std::string(text));
  else if (count == 0)
    reporter.report("CSTCARVID", std::string(text));
  else if (count > maxChars)
    reporter.report("TOLOCSTCA", std::string(text));
  else if (count > 1)
    reporter.report("MULCARCST", std::string(text));

  const int kept = std::min(count, maxChars);
  const int bits = std::min(kept * charWidth, 64);
  out.isChar = true;
  out.wide = wide;
  if (wide) {
    // A signed integer of the width of int.
    const bool top = ((packed >> (intWidth - 1)) & 1) != 0;
    const auto v = static_cast<std::int64_t>(top ? packed | ~lowMask(intWidth) : packed);
    out.value = ScriptInt(v);
    out.width = -intWidth;
    return;
  }
  const int width = kept > 1 ? intWidth : charWidth;
  if (bits > 0 && !plainCharUnsigned() && ((packed >> (bits - 1)) & 1) != 0) {
    out.value = ScriptInt(static_cast<std::int64_t>(packed | ~lowMask(bits)));
    out.width = -width;
  } else {
    out.value = ScriptInt::fromUnsigned(packed);
    out.width = width;
  }
}

}  // namespace zenta::analyser::lex
