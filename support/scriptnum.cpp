#include "support/scriptnum.h"

#include <algorithm>
#include <limits>

#include "support/report_hook.h"
#include "support/scriptnum_report.h"

namespace zenta::support {

namespace {

// Working form of an integer: 192 bits, little-endian 32-bit limbs, two's
// complement, the 168-bit value sign-extended. Sums and differences of two
// 168-bit values always fit, so only the final narrowing can overflow.
constexpr int kLimbs = 6;
using Limbs = std::array<std::uint32_t, kLimbs>;

Limbs unpack(const ScriptInt::Bytes& bytes) {
  std::array<std::uint8_t, 24> le{};
  for (int i = 0; i < 20; ++i) le[i] = bytes[i + 1];
  le[20] = bytes[0];
  const std::uint8_t fill = (bytes[0] & 0x80) ? 0xFF : 0x00;
  le[21] = le[22] = le[23] = fill;
  Limbs limbs{};
  for (int i = 0; i < 24; ++i) limbs[i / 4] |= static_cast<std::uint32_t>(le[i]) << (8 * (i % 4));
  return limbs;
}

bool negativeLimbs(const Limbs& x) { return (x[kLimbs - 1] & 0x80000000u) != 0; }

// Narrows to 168 bits; false when the value does not fit.
bool pack(const Limbs& x, ScriptInt::Bytes& bytes) {
  std::array<std::uint8_t, 24> le{};
  for (int i = 0; i < 24; ++i) le[i] = static_cast<std::uint8_t>(x[i / 4] >> (8 * (i % 4)));
  const std::uint8_t fill = negativeLimbs(x) ? 0xFF : 0x00;
  if (le[21] != fill || le[22] != fill || le[23] != fill) return false;
  if (((le[20] & 0x80) ? 0xFF : 0x00) != fill) return false;
  bytes[0] = le[20];
  for (int i = 0; i < 20; ++i) bytes[i + 1] = le[i];
  return true;
}

Limbs addLimbs(const Limbs& a, const Limbs& b) {
  Limbs r{};
  std::uint64_t carry = 0;
  for (int i = 0; i < kLimbs; ++i) {
    std::uint64_t s = std::uint64_t{a[i]} + b[i] + carry;
    r[i] = static_cast<std::uint32_t>(s);
    carry = s >> 32;
  }
  return r;
}

Limbs negateLimbs(const Limbs& a) {
  Limbs inverted{};
  for (int i = 0; i < kLimbs; ++i) inverted[i] = ~a[i];
  Limbs one{};
  one[0] = 1;
  return addLimbs(inverted, one);
}

Limbs absLimbs(const Limbs& a) { return negativeLimbs(a) ? negateLimbs(a) : a; }

bool isZeroLimbs(const Limbs& a) {
  return std::all_of(a.begin(), a.end(), [](std::uint32_t l) { return l == 0; });
}

int compareUnsigned(const Limbs& a, const Limbs& b) {
  for (int i = kLimbs - 1; i >= 0; --i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

// Unsigned long division of magnitudes (divisor not zero).
void divModUnsigned(const Limbs& a, const Limbs& b, Limbs& quotient, Limbs& remainder) {
  quotient = {};
  remainder = {};
  for (int bit = kLimbs * 32 - 1; bit >= 0; --bit) {
    for (int i = kLimbs - 1; i > 0; --i) remainder[i] = (remainder[i] << 1) | (remainder[i - 1] >> 31);
    remainder[0] = (remainder[0] << 1) | ((a[bit / 32] >> (bit % 32)) & 1u);
    if (compareUnsigned(remainder, b) >= 0) {
      remainder = addLimbs(remainder, negateLimbs(b));
      quotient[bit / 32] |= 1u << (bit % 32);
    }
  }
}

// Divides a magnitude by a small number in place; returns the remainder.
std::uint32_t divSmall(Limbs& a, std::uint32_t divisor) {
  std::uint64_t rest = 0;
  for (int i = kLimbs - 1; i >= 0; --i) {
    std::uint64_t cur = (rest << 32) | a[i];
    a[i] = static_cast<std::uint32_t>(cur / divisor);
    rest = cur % divisor;
  }
  return static_cast<std::uint32_t>(rest);
}

ScriptInt fromLimbsUnchecked(const Limbs& x) {
  ScriptInt::Bytes bytes{};
  pack(x, bytes);
  return ScriptInt::fromBytes(bytes);
}

// The result of a computation in the working form: the value, or the bound
// on the side of the true result with Overflow.
Checked<ScriptInt> narrow(const Limbs& x) {
  ScriptInt::Bytes bytes{};
  if (pack(x, bytes)) return {ScriptInt::fromBytes(bytes), NumStatus::Ok};
  return {negativeLimbs(x) ? ScriptInt::min() : ScriptInt::max(), NumStatus::Overflow};
}

// Magnitude of a result with its sign; the magnitude is below 2^191.
Checked<ScriptInt> narrowSigned(const Limbs& magnitude, bool negative) {
  if (magnitude[kLimbs - 1] & 0x80000000u) {
    return {negative ? ScriptInt::min() : ScriptInt::max(), NumStatus::Overflow};
  }
  return narrow(negative ? negateLimbs(magnitude) : magnitude);
}

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool hasPrefix(std::string_view text, char lower) {
  return text.size() > 2 && text[0] == '0' && (text[1] == lower || text[1] == lower - 'a' + 'A');
}

}  // namespace

// ---------------------------------------------------------------- ScriptInt

ScriptInt::ScriptInt(std::int64_t value) {
  const std::uint64_t bits = static_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i) bytes_[i + 1] = static_cast<std::uint8_t>(bits >> (8 * i));
  const std::uint8_t fill = value < 0 ? 0xFF : 0x00;
  for (int i = 9; i <= 20; ++i) bytes_[i] = fill;
  bytes_[0] = fill;
}

ScriptInt ScriptInt::fromUnsigned(std::uint64_t value) {
  ScriptInt r;
  for (int i = 0; i < 8; ++i) r.bytes_[i + 1] = static_cast<std::uint8_t>(value >> (8 * i));
  return r;
}

ScriptInt ScriptInt::fromBytes(const Bytes& bytes) {
  ScriptInt r;
  r.bytes_ = bytes;
  return r;
}

ScriptInt ScriptInt::max() {
  ScriptInt r;
  r.bytes_.fill(0xFF);
  r.bytes_[0] = 0x7F;
  return r;
}

ScriptInt ScriptInt::min() {
  ScriptInt r;
  r.bytes_[0] = 0x80;
  return r;
}

bool ScriptInt::isZero() const {
  return std::all_of(bytes_.begin(), bytes_.end(), [](std::uint8_t b) { return b == 0; });
}

std::optional<std::int64_t> ScriptInt::toInt64() const {
  const std::uint8_t fill = isNegative() ? 0xFF : 0x00;
  for (int i = 9; i <= 20; ++i) {
    if (bytes_[i] != fill) return std::nullopt;
  }
  if (bytes_[0] != fill || ((bytes_[8] & 0x80) ? 0xFF : 0x00) != fill) return std::nullopt;
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= std::uint64_t{bytes_[i + 1]} << (8 * i);
  return static_cast<std::int64_t>(bits);
}

double ScriptInt::toDouble() const {
  Limbs magnitude = absLimbs(unpack(bytes_));
  double result = 0;
  for (int i = kLimbs - 1; i >= 0; --i) result = result * 4294967296.0 + magnitude[i];
  return isNegative() ? -result : result;
}

Checked<ScriptInt> ScriptInt::scan(std::string_view text, int base) {
  const Checked<ScriptInt> malformed{ScriptInt(), NumStatus::Malformed};
  text = trimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (base == 0) {
    if (hasPrefix(text, 'x'))
      base = 16;
    else if (hasPrefix(text, 'b'))
      base = 2;
    else if (text.size() > 1 && text[0] == '0')
      base = 8;
    else
      base = 10;
  }
  if (base < 2 || base > 36) return malformed;
  if ((base == 16 && hasPrefix(text, 'x')) || (base == 2 && hasPrefix(text, 'b')) ||
      (base == 8 && hasPrefix(text, 'o'))) {
    text.remove_prefix(2);
  }
  if (text.empty()) return malformed;
  // The magnitude may reach 2^167 (for the minimum); stop accumulating once
  // it is beyond, and report the overflow after checking the whole text.
  Limbs magnitude{};
  bool tooLarge = false;
  for (char c : text) {
    const int digit = digitValue(c);
    if (digit >= base) return malformed;
    if (tooLarge) continue;
    std::uint64_t carry = static_cast<std::uint64_t>(digit);
    for (int i = 0; i < kLimbs; ++i) {
      std::uint64_t v = std::uint64_t{magnitude[i]} * static_cast<std::uint64_t>(base) + carry;
      magnitude[i] = static_cast<std::uint32_t>(v);
      carry = v >> 32;
    }
    // Beyond 2^168 (limb 5 past bit 7) the value can never come back.
    if (magnitude[5] > 0xFF) tooLarge = true;
  }
  if (tooLarge) return {negative ? min() : max(), NumStatus::Overflow};
  return narrowSigned(magnitude, negative);
}

std::optional<ScriptInt> ScriptInt::tryParse(std::string_view text, int base) {
  Checked<ScriptInt> r = scan(text, base);
  if (!r.ok()) return std::nullopt;
  return r.value;
}

ScriptInt ScriptInt::parse(std::string_view text, int base) {
  Checked<ScriptInt> r = scan(text, base);
  if (r.status == NumStatus::Malformed) reportSevere("TRFSTRINT", std::string(text));
  if (r.status == NumStatus::Overflow) {
    scriptnum::reportOverflow(std::string(text));
    r.value.faulty_ = true;
  }
  return r.value;
}

std::string ScriptInt::toString(int base) const {
  if (base < 2 || base > 36) base = 10;
  Limbs magnitude = absLimbs(unpack(bytes_));
  std::string digits;
  do {
    std::uint32_t d = divSmall(magnitude, static_cast<std::uint32_t>(base));
    digits += "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[d];
  } while (!isZeroLimbs(magnitude));
  if (isNegative()) digits += '-';
  std::reverse(digits.begin(), digits.end());
  return digits;
}

Checked<ScriptInt> ScriptInt::add(const ScriptInt& a, const ScriptInt& b) {
  return narrow(addLimbs(unpack(a.bytes_), unpack(b.bytes_)));
}

Checked<ScriptInt> ScriptInt::sub(const ScriptInt& a, const ScriptInt& b) {
  return narrow(addLimbs(unpack(a.bytes_), negateLimbs(unpack(b.bytes_))));
}

Checked<ScriptInt> ScriptInt::neg(const ScriptInt& a) { return narrow(negateLimbs(unpack(a.bytes_))); }

Checked<ScriptInt> ScriptInt::mul(const ScriptInt& a, const ScriptInt& b) {
  const Limbs x = absLimbs(unpack(a.bytes_));
  const Limbs y = absLimbs(unpack(b.bytes_));
  std::array<std::uint32_t, 2 * kLimbs> product{};
  for (int i = 0; i < kLimbs; ++i) {
    std::uint64_t carry = 0;
    for (int j = 0; j < kLimbs; ++j) {
      std::uint64_t v = std::uint64_t{x[i]} * y[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(v);
      carry = v >> 32;
    }
    product[i + kLimbs] = static_cast<std::uint32_t>(carry);
  }
  const bool negative = a.isNegative() != b.isNegative();
  for (int i = kLimbs; i < 2 * kLimbs; ++i) {
    if (product[i] != 0) return {negative ? min() : max(), NumStatus::Overflow};
  }
  Limbs low{};
  std::copy_n(product.begin(), kLimbs, low.begin());
  return narrowSigned(low, negative);
}

Checked<ScriptInt> ScriptInt::divTruncated(const ScriptInt& a, const ScriptInt& b) {
  if (b.isZero()) return {ScriptInt(), NumStatus::DivisionByZero};
  Limbs q, r;
  divModUnsigned(absLimbs(unpack(a.bytes_)), absLimbs(unpack(b.bytes_)), q, r);
  return narrowSigned(q, a.isNegative() != b.isNegative());
}

Checked<ScriptInt> ScriptInt::remTruncated(const ScriptInt& a, const ScriptInt& b) {
  if (b.isZero()) return {ScriptInt(), NumStatus::DivisionByZero};
  Limbs q, r;
  divModUnsigned(absLimbs(unpack(a.bytes_)), absLimbs(unpack(b.bytes_)), q, r);
  return narrowSigned(r, a.isNegative());
}

Checked<ScriptInt> ScriptInt::div(const ScriptInt& a, const ScriptInt& b) {
  if (b.isZero()) return {ScriptInt(), NumStatus::DivisionByZero};
  Limbs q, r;
  divModUnsigned(absLimbs(unpack(a.bytes_)), absLimbs(unpack(b.bytes_)), q, r);
  const bool negative = a.isNegative() != b.isNegative();
  Limbs quotient = negative ? negateLimbs(q) : q;
  // A negative dividend with a remainder: the truncated quotient is one too
  // near zero for a non-negative remainder.
  if (a.isNegative() && !isZeroLimbs(r)) {
    Limbs step{};
    step.fill(b.isNegative() ? 0u : 0xFFFFFFFFu);  // +1 or -1
    if (b.isNegative()) step[0] = 1;
    quotient = addLimbs(quotient, step);
  }
  return narrow(quotient);
}

Checked<ScriptInt> ScriptInt::mod(const ScriptInt& a, const ScriptInt& b) {
  if (b.isZero()) return {ScriptInt(), NumStatus::DivisionByZero};
  Limbs q, r;
  const Limbs divisor = absLimbs(unpack(b.bytes_));
  divModUnsigned(absLimbs(unpack(a.bytes_)), divisor, q, r);
  if (a.isNegative() && !isZeroLimbs(r)) r = addLimbs(divisor, negateLimbs(r));
  return narrow(r);
}

Checked<ScriptInt> ScriptInt::shiftLeft(const ScriptInt& a, int count) {
  if (count < 0)
    return {shiftRight(a, count == std::numeric_limits<int>::min() ? kBits : -count), NumStatus::Ok};
  if (a.isZero()) return {a, NumStatus::Ok};
  if (count >= kBits) return {a.isNegative() ? min() : max(), NumStatus::Overflow};
  Limbs x = unpack(a.bytes_);
  for (int step = 0; step < count; ++step) {
    for (int i = kLimbs - 1; i > 0; --i) x[i] = (x[i] << 1) | (x[i - 1] >> 31);
    x[0] <<= 1;
    ScriptInt::Bytes probe{};
    if (!pack(x, probe)) return {a.isNegative() ? min() : max(), NumStatus::Overflow};
  }
  return narrow(x);
}

ScriptInt ScriptInt::shiftRight(const ScriptInt& a, int count) {
  if (count < 0) {
    Checked<ScriptInt> r = shiftLeft(a, count == std::numeric_limits<int>::min() ? kBits : -count);
    return r.value;
  }
  count = std::min(count, kBits);
  Limbs x = unpack(a.bytes_);
  const std::uint32_t fill = negativeLimbs(x) ? 0x80000000u : 0u;
  for (int step = 0; step < count; ++step) {
    for (int i = 0; i < kLimbs - 1; ++i) x[i] = (x[i] >> 1) | (x[i + 1] << 31);
    x[kLimbs - 1] = (x[kLimbs - 1] >> 1) | fill;
  }
  return fromLimbsUnchecked(x);
}

ScriptInt operator+(const ScriptInt& a, const ScriptInt& b) {
  return scriptnum::settle(ScriptInt::add(a, b), a.faulty_ || b.faulty_,
                           [&] { return a.toString() + " + " + b.toString(); });
}
ScriptInt operator-(const ScriptInt& a, const ScriptInt& b) {
  return scriptnum::settle(ScriptInt::sub(a, b), a.faulty_ || b.faulty_,
                           [&] { return a.toString() + " - " + b.toString(); });
}
ScriptInt operator*(const ScriptInt& a, const ScriptInt& b) {
  return scriptnum::settle(ScriptInt::mul(a, b), a.faulty_ || b.faulty_,
                           [&] { return a.toString() + " * " + b.toString(); });
}
ScriptInt operator/(const ScriptInt& a, const ScriptInt& b) {
  return scriptnum::settle(ScriptInt::div(a, b), a.faulty_ || b.faulty_,
                           [&] { return a.toString() + " / " + b.toString(); });
}
ScriptInt operator%(const ScriptInt& a, const ScriptInt& b) {
  return scriptnum::settle(ScriptInt::mod(a, b), a.faulty_ || b.faulty_,
                           [&] { return a.toString() + " % " + b.toString(); });
}
ScriptInt ScriptInt::operator-() const {
  return scriptnum::settle(neg(*this), faulty_, [&] { return "- " + toString(); });
}

ScriptInt operator&(const ScriptInt& a, const ScriptInt& b) {
  ScriptInt r;
  for (int i = 0; i < ScriptInt::kBytes; ++i) r.bytes_[i] = a.bytes_[i] & b.bytes_[i];
  r.faulty_ = a.faulty_ || b.faulty_;
  return r;
}
ScriptInt operator|(const ScriptInt& a, const ScriptInt& b) {
  ScriptInt r;
  for (int i = 0; i < ScriptInt::kBytes; ++i) r.bytes_[i] = a.bytes_[i] | b.bytes_[i];
  r.faulty_ = a.faulty_ || b.faulty_;
  return r;
}
ScriptInt operator^(const ScriptInt& a, const ScriptInt& b) {
  ScriptInt r;
  for (int i = 0; i < ScriptInt::kBytes; ++i) r.bytes_[i] = a.bytes_[i] ^ b.bytes_[i];
  r.faulty_ = a.faulty_ || b.faulty_;
  return r;
}
ScriptInt ScriptInt::operator~() const {
  ScriptInt r = *this;
  for (auto& byte : r.bytes_) byte = static_cast<std::uint8_t>(~byte);
  return r;
}

std::strong_ordering operator<=>(const ScriptInt& a, const ScriptInt& b) {
  // The top byte as a signed byte, then the lower bytes from the most
  // significant (the twentieth) down.
  const int topA = static_cast<std::int8_t>(a.bytes_[0]);
  const int topB = static_cast<std::int8_t>(b.bytes_[0]);
  if (topA != topB) return topA <=> topB;
  for (int i = ScriptInt::kBytes - 1; i >= 1; --i) {
    if (a.bytes_[i] != b.bytes_[i]) return a.bytes_[i] <=> b.bytes_[i];
  }
  return std::strong_ordering::equal;
}

}  // namespace zenta::support
