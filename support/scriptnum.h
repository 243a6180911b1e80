// Script numbers: the integers and reals that script expressions compute.
//
// ScriptInt is a signed 168-bit two's-complement integer stored in 21 bytes:
// the first byte is the top byte (it carries the sign), the other twenty hold
// the lower 160 bits, least significant first. Two values therefore order by
// the first byte read as a signed byte, then by the bytes from the twentieth
// down to the second.
//
// ScriptReal is decimal: a ScriptInt mantissa and a decimal exponent, the
// value being mantissa * 10^exponent.
//
// Every operation comes in two forms:
//  - the checked form (`ScriptInt::add`, `ScriptReal::div`, ...) reports
//    nothing and returns the result with a status;
//  - the operator form (`a + b`, `a / b`, ...) reports a failure through the
//    support report hook and goes on with a flagged result: a result that
//    does not fit is the error "OVERFLOW" and gives the nearest bound
//    (saturation), a division by zero is the error "DIVBYZERO" and gives
//    zero. A flagged value stays flagged through later operations
//    (`faulty()`), so an evaluator can tell that a whole expression failed.
//    The flag takes no part in comparisons.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zenta::support {

enum class NumStatus {
  Ok,
  Overflow,        // the result does not fit
  DivisionByZero,  // a divisor, or a remainder's modulus, is zero
  Malformed,       // a text is not a number of the expected form
};

class ScriptInt;
class ScriptReal;

template <typename T>
struct Checked {
  T value;
  NumStatus status = NumStatus::Ok;
  bool ok() const { return status == NumStatus::Ok; }
};

class ScriptInt {
 public:
  static constexpr int kBits = 168;
  static constexpr int kBytes = 21;
  using Bytes = std::array<std::uint8_t, kBytes>;

  ScriptInt() = default;          // zero
  ScriptInt(std::int64_t value);  // NOLINT: implicit, so that `x + 1` reads naturally
  static ScriptInt fromUnsigned(std::uint64_t value);
  static ScriptInt fromBytes(const Bytes& bytes);
  static ScriptInt max();  // 2^167 - 1
  static ScriptInt min();  // -2^167

  const Bytes& bytes() const { return bytes_; }
  bool isNegative() const { return (bytes_[0] & 0x80) != 0; }
  bool isZero() const;
  int sign() const { return isNegative() ? -1 : (isZero() ? 0 : 1); }
  // True when this value, or a value it was computed from, overflowed or
  // divided by zero.
  bool faulty() const { return faulty_; }
  void setFaulty(bool faulty = true) { faulty_ = faulty; }

  // The value when it fits in 64 bits.
  std::optional<std::int64_t> toInt64() const;
  // The nearest double.
  double toDouble() const;

  // Text forms. An optional sign, then digits of the base; blanks and tabs
  // around the text are ignored. Base 10, 16, 8 or 2 (or any base from 2 to
  // 36, digits being 0-9 then letters of either case); base 16 also accepts a
  // "0x"/"0X" prefix, base 2 "0b"/"0B" and base 8 "0o"/"0O". Base 0 follows
  // the C rules: "0x" hexadecimal, "0b" binary, a leading 0 octal, otherwise
  // decimal. The status is Malformed for a text that is not such a number,
  // Overflow (with the nearest bound as value) for one out of range.
  static Checked<ScriptInt> scan(std::string_view text, int base = 10);
  // The value, or nothing for a malformed or out-of-range text; reports
  // nothing.
  static std::optional<ScriptInt> tryParse(std::string_view text, int base = 10);
  // The value; a malformed text is the severe "TRFSTRINT" (the run ends with
  // status 9), an out-of-range one the error "OVERFLOW" with a saturated,
  // flagged value.
  static ScriptInt parse(std::string_view text, int base = 10);
  // Sign and digits, without prefix (upper-case letters above 9). Bases 2 to
  // 36; other bases give decimal.
  std::string toString(int base = 10) const;

  // Checked arithmetic. Division is Euclidean: the remainder is never
  // negative (0 <= r < |b|) and a = b * q + r. The truncating forms round the
  // quotient toward zero, the remainder taking the sign of the dividend (as
  // in C). Shifts: a left shift is a multiplication by 2^count (Overflow when
  // it does not fit); a right shift is arithmetic (rounds toward minus
  // infinity). A negative count shifts the other way.
  static Checked<ScriptInt> add(const ScriptInt& a, const ScriptInt& b);
  static Checked<ScriptInt> sub(const ScriptInt& a, const ScriptInt& b);
  static Checked<ScriptInt> mul(const ScriptInt& a, const ScriptInt& b);
  static Checked<ScriptInt> div(const ScriptInt& a, const ScriptInt& b);
  static Checked<ScriptInt> mod(const ScriptInt& a, const ScriptInt& b);
  static Checked<ScriptInt> divTruncated(const ScriptInt& a, const ScriptInt& b);
  static Checked<ScriptInt> remTruncated(const ScriptInt& a, const ScriptInt& b);
  static Checked<ScriptInt> neg(const ScriptInt& a);
  static Checked<ScriptInt> shiftLeft(const ScriptInt& a, int count);
  static ScriptInt shiftRight(const ScriptInt& a, int count);  // a negative count saturates silently

  // Reporting forms (see the top of this file).
  friend ScriptInt operator+(const ScriptInt& a, const ScriptInt& b);
  friend ScriptInt operator-(const ScriptInt& a, const ScriptInt& b);
  friend ScriptInt operator*(const ScriptInt& a, const ScriptInt& b);
  friend ScriptInt operator/(const ScriptInt& a, const ScriptInt& b);  // Euclidean
  friend ScriptInt operator%(const ScriptInt& a, const ScriptInt& b);  // Euclidean
  ScriptInt operator-() const;
  ScriptInt& operator+=(const ScriptInt& b) { return *this = *this + b; }
  ScriptInt& operator-=(const ScriptInt& b) { return *this = *this - b; }
  ScriptInt& operator*=(const ScriptInt& b) { return *this = *this * b; }

  // Bitwise operations on the two's-complement form; they always fit.
  friend ScriptInt operator&(const ScriptInt& a, const ScriptInt& b);
  friend ScriptInt operator|(const ScriptInt& a, const ScriptInt& b);
  friend ScriptInt operator^(const ScriptInt& a, const ScriptInt& b);
  ScriptInt operator~() const;

  friend bool operator==(const ScriptInt& a, const ScriptInt& b) { return a.bytes_ == b.bytes_; }
  friend std::strong_ordering operator<=>(const ScriptInt& a, const ScriptInt& b);

 private:
  friend class ScriptReal;
  Bytes bytes_{};
  bool faulty_ = false;
};

class ScriptReal {
 public:
  ScriptReal() = default;                                            // zero
  ScriptReal(const ScriptInt& mantissa, std::int32_t exponent = 0);  // NOLINT: an integer is a real

  const ScriptInt& mantissa() const { return mantissa_; }
  std::int32_t exponent() const { return exponent_; }
  bool faulty() const { return faulty_ || mantissa_.faulty(); }
  void setFaulty(bool faulty = true) {
    faulty_ = faulty;
    mantissa_.setFaulty(faulty);
  }
  bool isZero() const { return mantissa_.isZero(); }
  int sign() const { return mantissa_.sign(); }

  // Text: an optional sign, digits with an optional decimal point (at least
  // one digit in all), then an optional exponent "e" or "E" with an optional
  // sign and digits: "1.5", "-2.25e3", ".5", "7.". Digits beyond the
  // mantissa's precision (about 50) are dropped. Malformed for any other
  // text, Overflow for an exponent out of range.
  static Checked<ScriptReal> scan(std::string_view text);
  static std::optional<ScriptReal> tryParse(std::string_view text);
  // The shortest text that reads back as the same value, always with a
  // decimal point or an exponent: "1.5", "-2250.0", "0.001", "1.5e+30",
  // "2.0e-9".
  std::string toString() const;

  // The nearest double, and the exact decimal value of a finite double
  // (nothing for an infinity or a NaN).
  double toDouble() const;
  static std::optional<ScriptReal> fromDouble(double value);
  // The integer part (rounded toward zero); Overflow when it does not fit.
  static Checked<ScriptInt> toInt(const ScriptReal& a);

  // Checked arithmetic. Addition and subtraction first bring both operands
  // to one exponent (multiplying a mantissa by ten, or dividing the other's
  // when that would not fit); multiplication and division keep as many
  // digits as the mantissa holds (division rounds toward zero in the last
  // digit). Overflow when an exponent leaves the 32-bit range.
  static Checked<ScriptReal> add(const ScriptReal& a, const ScriptReal& b);
  static Checked<ScriptReal> sub(const ScriptReal& a, const ScriptReal& b);
  static Checked<ScriptReal> mul(const ScriptReal& a, const ScriptReal& b);
  static Checked<ScriptReal> div(const ScriptReal& a, const ScriptReal& b);

  // Reporting forms.
  friend ScriptReal operator+(const ScriptReal& a, const ScriptReal& b);
  friend ScriptReal operator-(const ScriptReal& a, const ScriptReal& b);
  friend ScriptReal operator*(const ScriptReal& a, const ScriptReal& b);
  friend ScriptReal operator/(const ScriptReal& a, const ScriptReal& b);
  ScriptReal operator-() const;

  // Exact comparison of the values: 1.50 equals 1.5.
  friend bool operator==(const ScriptReal& a, const ScriptReal& b);
  friend std::strong_ordering operator<=>(const ScriptReal& a, const ScriptReal& b);

 private:
  ScriptInt mantissa_;
  std::int32_t exponent_ = 0;
  bool faulty_ = false;
};

}  // namespace zenta::support
