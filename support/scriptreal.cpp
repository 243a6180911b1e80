#include <charconv>
#include <cmath>
#include <limits>

#include "support/scriptnum.h"
#include "support/scriptnum_report.h"

namespace zenta::support {

namespace {

constexpr std::int64_t kExponentMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kExponentMin = std::numeric_limits<std::int32_t>::min();

const ScriptInt kTen(10);

bool timesTen(ScriptInt& m) {
  Checked<ScriptInt> r = ScriptInt::mul(m, kTen);
  if (!r.ok()) return false;
  m = r.value;
  return true;
}

ScriptInt dropDigit(const ScriptInt& m) { return ScriptInt::divTruncated(m, kTen).value; }

std::string magnitudeDigits(const ScriptInt& m) {
  std::string digits = m.toString();
  if (!digits.empty() && digits[0] == '-') digits.erase(0, 1);
  return digits;
}

}  // namespace

// Builds a real from a mantissa and a wide exponent: trailing zeros of the
// mantissa move into the exponent; an exponent beyond the 32-bit range is an
// overflow (the largest value of the sign), one below it gives zero.
static Checked<ScriptReal> makeReal(ScriptInt m, std::int64_t e) {
  if (m.isZero()) return {ScriptReal(), NumStatus::Ok};
  m.setFaulty(false);
  while (!m.isZero() && ScriptInt::remTruncated(m, kTen).value.isZero() && e < kExponentMax) {
    m = dropDigit(m);
    ++e;
  }
  if (e > kExponentMax) {
    return {ScriptReal(m.isNegative() ? ScriptInt::min() : ScriptInt::max(),
                       static_cast<std::int32_t>(kExponentMax)),
            NumStatus::Overflow};
  }
  if (e < kExponentMin) return {ScriptReal(), NumStatus::Ok};
  return {ScriptReal(m, static_cast<std::int32_t>(e)), NumStatus::Ok};
}

ScriptReal::ScriptReal(const ScriptInt& mantissa, std::int32_t exponent)
    : mantissa_(mantissa), exponent_(exponent), faulty_(mantissa.faulty()) {}

// Brings both operands to one exponent: the mantissa of the higher exponent
// is multiplied by ten while it fits, then the other is divided by ten.
static void align(ScriptInt& ma, std::int64_t& ea, ScriptInt& mb, std::int64_t& eb) {
  ScriptInt* hiM = &ma;
  std::int64_t* hiE = &ea;
  ScriptInt* loM = &mb;
  std::int64_t* loE = &eb;
  if (ea < eb) {
    std::swap(hiM, loM);
    std::swap(hiE, loE);
  }
  while (*hiE > *loE && timesTen(*hiM)) --*hiE;
  while (*hiE > *loE) {
    *loM = dropDigit(*loM);
    ++*loE;
    if (loM->isZero()) *loE = *hiE;
  }
}

static Checked<ScriptReal> addOrSub(const ScriptReal& a, const ScriptReal& b, bool subtract) {
  ScriptInt ma = a.mantissa(), mb = b.mantissa();
  std::int64_t ea = a.exponent(), eb = b.exponent();
  if (mb.isZero()) return makeReal(ma, ea);
  if (ma.isZero()) {
    ea = eb;  // zero takes the other operand's exponent
  }
  align(ma, ea, mb, eb);
  Checked<ScriptInt> sum = subtract ? ScriptInt::sub(ma, mb) : ScriptInt::add(ma, mb);
  if (!sum.ok()) {
    // One digit less on both sides always leaves room.
    ma = dropDigit(ma);
    mb = dropDigit(mb);
    ++ea;
    sum = subtract ? ScriptInt::sub(ma, mb) : ScriptInt::add(ma, mb);
  }
  return makeReal(sum.value, ea);
}

Checked<ScriptReal> ScriptReal::add(const ScriptReal& a, const ScriptReal& b) {
  return addOrSub(a, b, false);
}
Checked<ScriptReal> ScriptReal::sub(const ScriptReal& a, const ScriptReal& b) { return addOrSub(a, b, true); }

Checked<ScriptReal> ScriptReal::mul(const ScriptReal& a, const ScriptReal& b) {
  ScriptInt ma = a.mantissa(), mb = b.mantissa();
  std::int64_t e = std::int64_t{a.exponent()} + b.exponent();
  for (;;) {
    Checked<ScriptInt> product = ScriptInt::mul(ma, mb);
    if (product.ok()) return makeReal(product.value, e);
    // Too many digits: drop the last digit of the longer mantissa.
    if (magnitudeDigits(ma).size() >= magnitudeDigits(mb).size())
      ma = dropDigit(ma);
    else
      mb = dropDigit(mb);
    ++e;
  }
}

Checked<ScriptReal> ScriptReal::div(const ScriptReal& a, const ScriptReal& b) {
  if (b.isZero()) return {ScriptReal(), NumStatus::DivisionByZero};
  ScriptInt ma = a.mantissa();
  const ScriptInt& mb = b.mantissa();
  std::int64_t e = std::int64_t{a.exponent()} - b.exponent();
  Checked<ScriptInt> q = ScriptInt::divTruncated(ma, mb);
  if (!q.ok()) {  // the minimum divided by -1
    ma = dropDigit(ma);
    ++e;
    q = ScriptInt::divTruncated(ma, mb);
  }
  ScriptInt r = ScriptInt::remTruncated(ma, mb).value;
  // Long division, one decimal digit at a time, while the digits fit.
  while (!r.isZero()) {
    ScriptInt q10 = q.value, r10 = r;
    if (!timesTen(q10) || !timesTen(r10)) break;
    Checked<ScriptInt> next = ScriptInt::add(q10, ScriptInt::divTruncated(r10, mb).value);
    if (!next.ok()) break;
    q.value = next.value;
    r = ScriptInt::remTruncated(r10, mb).value;
    --e;
  }
  return makeReal(q.value, e);
}

Checked<ScriptInt> ScriptReal::toInt(const ScriptReal& a) {
  ScriptInt m = a.mantissa();
  m.setFaulty(false);
  if (a.exponent() >= 0) {
    for (std::int32_t i = 0; i < a.exponent() && !m.isZero(); ++i) {
      if (!timesTen(m)) return {a.sign() < 0 ? ScriptInt::min() : ScriptInt::max(), NumStatus::Overflow};
    }
    return {m, NumStatus::Ok};
  }
  for (std::int64_t i = a.exponent(); i < 0 && !m.isZero(); ++i) m = dropDigit(m);
  return {m, NumStatus::Ok};
}

Checked<ScriptReal> ScriptReal::scan(std::string_view text) {
  const Checked<ScriptReal> malformed{ScriptReal(), NumStatus::Malformed};
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  ScriptInt m;
  std::int64_t e = 0;
  bool anyDigit = false, point = false, full = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    anyDigit = true;
    if (!full) {
      ScriptInt next = m;
      Checked<ScriptInt> sum{};
      if (timesTen(next) && (sum = ScriptInt::add(next, ScriptInt(c - '0'))).ok()) {
        m = sum.value;
        if (point) --e;
        continue;
      }
      full = true;
    }
    if (!point) ++e;  // a dropped digit before the point still counts
  }
  if (!anyDigit) return malformed;
  if (i < text.size()) {
    if (text[i] != 'e' && text[i] != 'E') return malformed;
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    if (i == text.size()) return malformed;
    std::int64_t exponent = 0;
    for (; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') return malformed;
      exponent = std::min<std::int64_t>(exponent * 10 + (text[i] - '0'), 1'000'000'000'000LL);
    }
    e += negativeExponent ? -exponent : exponent;
  }
  if (negative) m = ScriptInt::neg(m).value;
  return makeReal(m, e);
}

std::optional<ScriptReal> ScriptReal::tryParse(std::string_view text) {
  Checked<ScriptReal> r = scan(text);
  if (!r.ok()) return std::nullopt;
  return r.value;
}

std::string ScriptReal::toString() const {
  if (isZero()) return "0.0";
  Checked<ScriptReal> normal = makeReal(mantissa_, exponent_);
  const std::string digits = magnitudeDigits(normal.value.mantissa_);
  const std::int64_t n = static_cast<std::int64_t>(digits.size());
  const std::int64_t adjusted = n + normal.value.exponent_;  // digits before the point
  std::string text = sign() < 0 ? "-" : "";
  if (adjusted > 0 && adjusted <= 21) {
    if (adjusted >= n) {
      text += digits + std::string(static_cast<std::size_t>(adjusted - n), '0') + ".0";
    } else {
      text += digits.substr(0, static_cast<std::size_t>(adjusted)) + "." +
              digits.substr(static_cast<std::size_t>(adjusted));
    }
  } else if (adjusted <= 0 && adjusted > -6) {
    text += "0." + std::string(static_cast<std::size_t>(-adjusted), '0') + digits;
  } else {
    text += digits.substr(0, 1) + "." + (n > 1 ? digits.substr(1) : "0") + "e" +
            (adjusted - 1 >= 0 ? "+" : "-") + std::to_string(adjusted - 1 >= 0 ? adjusted - 1 : 1 - adjusted);
  }
  return text;
}

double ScriptReal::toDouble() const {
  const std::string text = toString();
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    // Either too large or too small for a double.
    const bool huge =
        std::int64_t{exponent_} + static_cast<std::int64_t>(magnitudeDigits(mantissa_).size()) > 0;
    value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    if (sign() < 0) value = -value;
  }
  return value;
}

std::optional<ScriptReal> ScriptReal::fromDouble(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return std::nullopt;
  return tryParse(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

ScriptReal operator+(const ScriptReal& a, const ScriptReal& b) {
  return scriptnum::settle(ScriptReal::add(a, b), a.faulty() || b.faulty(),
                           [&] { return a.toString() + " + " + b.toString(); });
}
ScriptReal operator-(const ScriptReal& a, const ScriptReal& b) {
  return scriptnum::settle(ScriptReal::sub(a, b), a.faulty() || b.faulty(),
                           [&] { return a.toString() + " - " + b.toString(); });
}
ScriptReal operator*(const ScriptReal& a, const ScriptReal& b) {
  return scriptnum::settle(ScriptReal::mul(a, b), a.faulty() || b.faulty(),
                           [&] { return a.toString() + " * " + b.toString(); });
}
ScriptReal operator/(const ScriptReal& a, const ScriptReal& b) {
  return scriptnum::settle(ScriptReal::div(a, b), a.faulty() || b.faulty(),
                           [&] { return a.toString() + " / " + b.toString(); });
}
ScriptReal ScriptReal::operator-() const {
  return scriptnum::settle(sub(ScriptReal(), *this), faulty(), [&] { return "- " + toString(); });
}

std::strong_ordering operator<=>(const ScriptReal& a, const ScriptReal& b) {
  if (a.sign() != b.sign()) return a.sign() <=> b.sign();
  if (a.sign() == 0) return std::strong_ordering::equal;
  // Same sign: order the magnitudes by the position of their first digit,
  // then digit by digit.
  std::string da = magnitudeDigits(a.mantissa()), db = magnitudeDigits(b.mantissa());
  while (da.size() > 1 && da.back() == '0') da.pop_back();
  while (db.size() > 1 && db.back() == '0') db.pop_back();
  const std::int64_t lastA = static_cast<std::int64_t>(magnitudeDigits(a.mantissa()).size()) + a.exponent();
  const std::int64_t lastB = static_cast<std::int64_t>(magnitudeDigits(b.mantissa()).size()) + b.exponent();
  std::strong_ordering magnitude = lastA <=> lastB;
  if (magnitude == std::strong_ordering::equal) {
    const std::size_t width = std::max(da.size(), db.size());
    da.resize(width, '0');
    db.resize(width, '0');
    const int c = da.compare(db);
    magnitude = c < 0 ? std::strong_ordering::less
                      : (c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal);
  }
  if (a.sign() > 0) return magnitude;
  return 0 <=> magnitude;
}

bool operator==(const ScriptReal& a, const ScriptReal& b) { return (a <=> b) == 0; }

}  // namespace zenta::support
