#include "support/scriptnum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/report_hook.h"

namespace zs = zenta::support;
using zs::NumStatus;
using zs::ScriptInt;
using zs::ScriptReal;

namespace zenta::support {
// Readable values in failure messages.
void PrintTo(const ScriptInt& value, std::ostream* os) { *os << value.toString(); }
void PrintTo(const ScriptReal& value, std::ostream* os) { *os << value.toString(); }
}  // namespace zenta::support

namespace {

const char* const kMax = "187072209578355573530071658587684226515959365500927";   // 2^167 - 1
const char* const kMin = "-187072209578355573530071658587684226515959365500928";  // -2^167

ScriptInt big(const char* text) { return *ScriptInt::tryParse(text); }

std::vector<std::string> g_reports;
void recordReport(int severity, const char* code, const std::string& argument) {
  g_reports.push_back(std::to_string(severity) + code + ":" + argument);
}

class Recording : public testing::Test {
 protected:
  void SetUp() override {
    g_reports.clear();
    zs::setReportHook(&recordReport);
  }
  void TearDown() override { zs::setReportHook(nullptr); }
};

TEST(ScriptInt, ExtremesRoundTripThroughText) {
  EXPECT_EQ(ScriptInt::fromUnsigned(std::numeric_limits<std::uint64_t>::max()).toString(), "18446744073709551615");
  EXPECT_EQ(ScriptInt::max().toString(), kMax);
  EXPECT_EQ(ScriptInt::min().toString(), kMin);
  EXPECT_EQ(big(kMax), ScriptInt::max());
  EXPECT_EQ(big(kMin), ScriptInt::min());
  EXPECT_EQ(ScriptInt::max().toString(16), "7" + std::string(41, 'F'));
  EXPECT_EQ(ScriptInt::min().toString(16), "-8" + std::string(41, '0'));
  EXPECT_EQ(ScriptInt::tryParse("0x7" + std::string(41, 'f'), 0), ScriptInt::max());
  EXPECT_EQ(ScriptInt::tryParse("3" + std::string(55, '7'), 8), ScriptInt::max());
  EXPECT_EQ(ScriptInt::tryParse("-1" + std::string(167, '0'), 2), ScriptInt::min());
  // One past either end does not fit.
  EXPECT_EQ(ScriptInt::scan("187072209578355573530071658587684226515959365500928").status,
            NumStatus::Overflow);
  EXPECT_EQ(ScriptInt::scan("-187072209578355573530071658587684226515959365500929").status,
            NumStatus::Overflow);
  EXPECT_EQ(ScriptInt::scan(std::string(300, '9')).value, ScriptInt::max());
  EXPECT_EQ(ScriptInt::scan("-" + std::string(300, '9')).value, ScriptInt::min());
  EXPECT_EQ(ScriptInt::tryParse(std::string(60, '9')), std::nullopt);
}

struct TextCase {
  std::string text;
  int base;
  std::optional<std::int64_t> value;
};

TEST(ScriptInt, TextForms) {
  const std::vector<TextCase> cases = {
      {"0", 10, 0},    {"-0", 10, 0},     {"+42", 10, 42},   {"  17\t", 10, 17}, {"017", 10, 17},
      {"017", 0, 15},  {"0x1F", 0, 31},   {"-0x10", 0, -16}, {"0b101", 0, 5},    {"0", 0, 0},
      {"ff", 16, 255}, {"0XfF", 16, 255}, {"0o17", 8, 15},   {"zz", 36, 1295},   {"1010", 2, 10},
      {"", 10, {}},    {"-", 10, {}},     {"12a", 10, {}},   {"0x", 0, {}},      {"1 2", 10, {}},
      {"--1", 10, {}}, {"0x1G", 16, {}},  {"08", 0, {}},     {"2", 2, {}},       {"1", 1, {}},
      {"1.5", 10, {}}, {"0b", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " base " + std::to_string(c.base));
    std::optional<ScriptInt> parsed = ScriptInt::tryParse(c.text, c.base);
    ASSERT_EQ(parsed.has_value(), c.value.has_value());
    if (c.value) {
      EXPECT_EQ(parsed->toInt64(), c.value);
    } else {
      EXPECT_EQ(ScriptInt::scan(c.text, c.base).status, NumStatus::Malformed);
    }
  }
  EXPECT_EQ(ScriptInt(-255).toString(16), "-FF");
  EXPECT_EQ(ScriptInt(5).toString(2), "101");
  EXPECT_EQ(ScriptInt(0).toString(), "0");
}

TEST(ScriptInt, LimitsOverflow) {
  const ScriptInt max = ScriptInt::max(), min = ScriptInt::min();
  struct Case {
    const char* name;
    zs::Checked<ScriptInt> result;
    NumStatus status;
    ScriptInt value;
  };
  const Case cases[] = {
      {"max+1", ScriptInt::add(max, 1), NumStatus::Overflow, max},
      {"max+min", ScriptInt::add(max, min), NumStatus::Ok, -1},
      {"min-1", ScriptInt::sub(min, 1), NumStatus::Overflow, min},
      {"0-min", ScriptInt::sub(0, min), NumStatus::Overflow, max},
      {"-1-max", ScriptInt::sub(-1, max), NumStatus::Ok, min},
      {"-min", ScriptInt::neg(min), NumStatus::Overflow, max},
      {"-max", ScriptInt::neg(max), NumStatus::Ok, ScriptInt::add(min, 1).value},
      {"min/-1", ScriptInt::div(min, -1), NumStatus::Overflow, max},
      {"min/-1 truncated", ScriptInt::divTruncated(min, -1), NumStatus::Overflow, max},
      {"min%-1", ScriptInt::mod(min, -1), NumStatus::Ok, 0},
      {"min/1", ScriptInt::div(min, 1), NumStatus::Ok, min},
      {"max*2", ScriptInt::mul(max, 2), NumStatus::Overflow, max},
      {"max*-2", ScriptInt::mul(max, -2), NumStatus::Overflow, min},
      {"min*-1", ScriptInt::mul(min, -1), NumStatus::Overflow, max},
      {"min*1", ScriptInt::mul(min, 1), NumStatus::Ok, min},
      {"2^83*2^84", ScriptInt::mul(ScriptInt::shiftLeft(1, 83).value, ScriptInt::shiftLeft(1, 84).value),
       NumStatus::Overflow, max},
      {"-2^83*2^84", ScriptInt::mul(ScriptInt::shiftLeft(-1, 83).value, ScriptInt::shiftLeft(1, 84).value),
       NumStatus::Ok, min},
      {"1<<167", ScriptInt::shiftLeft(1, 167), NumStatus::Overflow, max},
      {"-1<<167", ScriptInt::shiftLeft(-1, 167), NumStatus::Ok, min},
      {"3<<166", ScriptInt::shiftLeft(3, 166), NumStatus::Overflow, max},
      {"1<<500", ScriptInt::shiftLeft(1, 500), NumStatus::Overflow, max},
      {"0<<500", ScriptInt::shiftLeft(0, 500), NumStatus::Ok, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.result.status, c.status);
    EXPECT_EQ(c.result.value, c.value);
  }
  EXPECT_EQ(ScriptInt::shiftRight(min, 167), -1);
  EXPECT_EQ(ScriptInt::shiftRight(min, 1000), -1);
  EXPECT_EQ(ScriptInt::shiftRight(max, 166), 1);
  EXPECT_EQ(ScriptInt::shiftRight(-7, 1), -4);
  EXPECT_EQ(ScriptInt::shiftRight(8, -2), 32);
}

TEST(ScriptInt, CarriesAndBorrowsCrossEveryByte) {
  const char* const hex = "0123456789abcdef";
  for (int k = 1; k < ScriptInt::kBits - 1; ++k) {
    SCOPED_TRACE(k);
    // 2^k and all bits below k set, read from their hexadecimal texts.
    const std::string top(1, hex[1 << (k % 4)]), below(1, hex[(1 << (k % 4)) - 1]);
    const ScriptInt pow2 = *ScriptInt::tryParse("0x" + top + std::string(k / 4, '0'), 0);
    const ScriptInt low = *ScriptInt::tryParse("0x" + below + std::string(k / 4, 'f'), 0);
    ASSERT_EQ(ScriptInt::add(low, 1).value, pow2);
    ASSERT_EQ(ScriptInt::sub(pow2, 1).value, low);
    ASSERT_EQ(ScriptInt::shiftLeft(1, k).value, pow2);
    ASSERT_EQ(ScriptInt::mul(pow2, -1).value, ScriptInt::sub(0, pow2).value);
    ASSERT_EQ(ScriptInt::div(pow2, 2).value, ScriptInt::shiftLeft(1, k - 1).value);
    ASSERT_EQ(ScriptInt::mod(low, pow2).value, low);
    ASSERT_EQ(ScriptInt::mod(ScriptInt::neg(low).value, pow2).value, 1);
  }
}

TEST(ScriptInt, ArithmeticOnLargeValues) {
  EXPECT_EQ(
      ScriptInt::mul(big("12345678901234567890123456789"), big("-98765432109876543210")).value.toString(),
      "-1219326311370217952249657064223746380111126352690");
  const ScriptInt x = ScriptInt::add(ScriptInt::shiftLeft(1, 160).value, 12345).value;
  const ScriptInt y = ScriptInt::add(ScriptInt::shiftLeft(1, 80).value, 7).value;
  EXPECT_EQ(ScriptInt::div(x, y).value.toString(), "1208925819614629174706169");
  EXPECT_EQ(ScriptInt::mod(x, y).value.toString(), "12394");
  const ScriptInt u = ScriptInt::sub(ScriptInt::neg(ScriptInt::shiftLeft(1, 166).value).value, 99).value;
  const ScriptInt v = ScriptInt::sub(ScriptInt::shiftLeft(1, 90).value, 3).value;
  EXPECT_EQ(ScriptInt::div(u, v).value.toString(), "-75557863725914323419137");
  EXPECT_EQ(ScriptInt::mod(u, v).value.toString(), "1237713365694202531928866714");
}

std::string toText(__int128 v) {
  if (v == 0) return "0";
  const bool negative = v < 0;
  unsigned __int128 m = negative ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
  std::string digits;
  for (; m != 0; m /= 10) digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
  return negative ? "-" + digits : digits;
}

TEST(ScriptInt, AgreesWithNativeArithmeticOnRandomValues) {
  std::mt19937_64 random(1234);
  for (int i = 0; i < 2000; ++i) {
    // 127-bit operands built from two 64-bit halves, so that sums,
    // differences and the checks of the quotients fit in 128 bits.
    const __int128 a = (static_cast<__int128>(static_cast<std::int64_t>(random()) >> (i % 64)) << 62) ^
                       static_cast<__int128>(random() >> 2);
    const __int128 b = static_cast<__int128>(static_cast<std::int64_t>(random()) >> (i % 63)) | 1;
    const ScriptInt x = big(toText(a).c_str()), y = big(toText(b).c_str());
    SCOPED_TRACE(toText(a) + " , " + toText(b));
    ASSERT_EQ(x.toString(), toText(a));
    ASSERT_EQ(ScriptInt::add(x, y).value.toString(), toText(a + b));
    ASSERT_EQ(ScriptInt::sub(x, y).value.toString(), toText(a - b));
    ASSERT_EQ(ScriptInt::mul(y, y).value.toString(), toText(b * b));
    ASSERT_EQ(ScriptInt::divTruncated(x, y).value.toString(), toText(a / b));
    ASSERT_EQ(ScriptInt::remTruncated(x, y).value.toString(), toText(a % b));
    __int128 r = a % b;
    __int128 q = a / b;
    if (r < 0) {
      r += b < 0 ? -b : b;
      q += b < 0 ? 1 : -1;
    }
    ASSERT_EQ(ScriptInt::div(x, y).value.toString(), toText(q));
    ASSERT_EQ(ScriptInt::mod(x, y).value.toString(), toText(r));
    ASSERT_EQ(x < y, a < b);
    ASSERT_EQ((x & y).toString(), toText(a & b));
  }
}

TEST(ScriptInt, DivisionSignsForAllFourCombinations) {
  struct Case {
    std::int64_t a, b, q, r, qt, rt;
  };
  const Case cases[] = {
      {7, 2, 3, 1, 3, 1},    {-7, 2, -4, 1, -3, -1}, {7, -2, -3, 1, -3, 1},
      {-7, -2, 4, 1, 3, -1}, {-6, 3, -2, 0, -2, 0},  {6, -3, -2, 0, -2, 0},
      {0, -5, 0, 0, 0, 0},   {-1, 5, -1, 4, 0, -1},  {-1, -5, 1, 4, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.a) + " / " + std::to_string(c.b));
    EXPECT_EQ(ScriptInt::div(c.a, c.b).value, c.q);
    EXPECT_EQ(ScriptInt::mod(c.a, c.b).value, c.r);
    EXPECT_EQ(ScriptInt::divTruncated(c.a, c.b).value, c.qt);
    EXPECT_EQ(ScriptInt::remTruncated(c.a, c.b).value, c.rt);
  }
  EXPECT_EQ(ScriptInt::mod(ScriptInt::min(), 10).value, 2);  // -2^167 = 10 * q + 2
  EXPECT_EQ(ScriptInt::div(ScriptInt::min(), 10).value.toString(),
            "-18707220957835557353007165858768422651595936550093");
}

template <class T>
void expectAscending(const std::vector<T>& ascending) {
  for (std::size_t i = 0; i < ascending.size(); ++i) {
    for (std::size_t j = 0; j < ascending.size(); ++j) {
      SCOPED_TRACE(ascending[i].toString() + " vs " + ascending[j].toString());
      EXPECT_EQ(ascending[i] <=> ascending[j], i <=> j);
      EXPECT_EQ(ascending[i] == ascending[j], i == j);
    }
  }
}

TEST(ScriptInt, ComparisonFollowsTheValue) {
  expectAscending<ScriptInt>({ScriptInt::min(), ScriptInt::add(ScriptInt::min(), 1).value,
                              big("-340282366920938463463374607431768211456"), -65536, -256, -255, -1, 0, 1, 255, 256,
                              65535, big("340282366920938463463374607431768211456"), ScriptInt::max()});
  EXPECT_TRUE(ScriptInt(-1) < 0);
  EXPECT_TRUE(ScriptInt(3) <= 3);
}

TEST(ScriptInt, BitwiseOperations) {
  EXPECT_EQ(ScriptInt(0xF0) & 0x3C, 0x30);
  EXPECT_EQ(ScriptInt(-2) & 3, 2);
  EXPECT_EQ(ScriptInt::max() & ScriptInt::min(), 0);
  EXPECT_EQ(ScriptInt(-1) & ScriptInt::max(), ScriptInt::max());
  EXPECT_EQ(ScriptInt(0xF0) | 0x0F, 0xFF);
  EXPECT_EQ(ScriptInt(0xFF) ^ 0x0F, 0xF0);
  EXPECT_EQ(~ScriptInt(0), -1);
  EXPECT_EQ(~ScriptInt::max(), ScriptInt::min());
}

TEST(ScriptInt, Conversions) {
  EXPECT_EQ(ScriptInt(std::numeric_limits<std::int64_t>::min()).toInt64(),
            std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(ScriptInt(std::numeric_limits<std::int64_t>::max()).toInt64(),
            std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(ScriptInt::add(std::numeric_limits<std::int64_t>::max(), 1).value.toInt64(), std::nullopt);
  EXPECT_EQ(ScriptInt::sub(std::numeric_limits<std::int64_t>::min(), 1).value.toInt64(), std::nullopt);
  EXPECT_EQ(ScriptInt::max().toInt64(), std::nullopt);
  EXPECT_DOUBLE_EQ(ScriptInt::shiftLeft(-1, 100).value.toDouble(), -1267650600228229401496703205376.0);
}

TEST_F(Recording, OperatorsReportAndFlag) {
  ScriptInt over = ScriptInt::max() + 1;
  EXPECT_EQ(over, ScriptInt::max());
  EXPECT_TRUE(over.faulty());
  ASSERT_EQ(g_reports.size(), 1u);
  EXPECT_EQ(g_reports[0], std::string("2OVERFLOW:") + kMax + " + 1");
  ScriptInt later = over - 5;
  EXPECT_TRUE(later.faulty());
  EXPECT_EQ(g_reports.size(), 1u);  // a flagged operand is not reported again
  ScriptInt quotient = ScriptInt(5) / 0;
  EXPECT_EQ(quotient, 0);
  EXPECT_TRUE(quotient.faulty());
  EXPECT_TRUE((ScriptInt(5) % 0).faulty());
  EXPECT_TRUE((-ScriptInt::min()).faulty());
  ScriptInt fine = ScriptInt(6) * 7;
  EXPECT_FALSE(fine.faulty());
  EXPECT_EQ(fine, 42);
  EXPECT_EQ(ScriptInt(-7) / 2, -4);
  EXPECT_EQ(ScriptInt(-7) % 2, 1);
  ASSERT_EQ(g_reports.size(), 4u);
  EXPECT_EQ(g_reports[1].rfind("2DIVBYZERO:", 0), 0u);
  EXPECT_EQ(g_reports[3].rfind("2OVERFLOW:- ", 0), 0u);
  ScriptInt saturated = ScriptInt::parse(std::string(60, '9'));
  EXPECT_EQ(saturated, ScriptInt::max());
  EXPECT_TRUE(saturated.faulty());
  EXPECT_EQ(g_reports.back(), "2OVERFLOW:" + std::string(60, '9'));
  EXPECT_EQ(ScriptInt::parse("-12"), -12);
}

TEST(ScriptIntDeathTest, MalformedTextIsSevere) {
  EXPECT_EXIT(ScriptInt::parse("12z"), testing::ExitedWithCode(9), "TRFSTRINT.*12z");
  EXPECT_EXIT(ScriptInt::parse(""), testing::ExitedWithCode(9), "TRFSTRINT");
}

// ------------------------------------------------------------------- reals

struct RealTextCase {
  std::string text;
  std::string canonical;  // empty: malformed
};

TEST(ScriptReal, TextRoundTrips) {
  const std::vector<RealTextCase> cases = {
      {"1.5", "1.5"},         {"-2.25e3", "-2250.0"}, {"0", "0.0"},        {"-0.0", "0.0"},  {"007.50", "7.5"},
      {".5", "0.5"},          {"7.", "7.0"},          {"+3", "3.0"},       {"1e30", "1.0e+30"}, {"1.5E-9", "1.5e-9"},
      {"123456789012345678901", "123456789012345678901.0"},
      {"1234567890123456789012", "1.234567890123456789012e+21"},
      {"0.000001", "0.000001"}, {"0.0000001", "1.0e-7"}, {"25e-1", "2.5"}, {" 4.25 ", "4.25"},
      // Malformed.
      {"", ""}, {"e5", ""}, {"1e", ""}, {"1.2.3", ""}, {"abc", ""}, {"1e+", ""}, {"--1", ""}, {"1x", ""}, {".", ""},
      {"1e5.0", ""},
  };

  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::optional<ScriptReal> r = ScriptReal::tryParse(c.text);
    if (c.canonical.empty()) {
      EXPECT_FALSE(r.has_value());
      EXPECT_EQ(ScriptReal::scan(c.text).status, NumStatus::Malformed);
      continue;
    }
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->toString(), c.canonical);
    EXPECT_EQ(ScriptReal::tryParse(c.canonical), r);
  }
  const ScriptReal parsed = *ScriptReal::tryParse("1.5");
  EXPECT_EQ(parsed.mantissa(), 15);
  EXPECT_EQ(parsed.exponent(), -1);
  // Digits beyond the mantissa's precision are dropped, not refused.
  std::optional<ScriptReal> longText = ScriptReal::tryParse("1" + std::string(80, '0') + ".25");
  ASSERT_TRUE(longText);
  EXPECT_EQ(longText->toString(), "1.0e+80");
  EXPECT_EQ(ScriptReal::scan("1e3000000000").status, NumStatus::Overflow);
  EXPECT_EQ(ScriptReal::tryParse("1e-3000000000"), ScriptReal());
}

ScriptReal real(const char* text) { return *ScriptReal::tryParse(text); }

TEST(ScriptReal, Arithmetic) {
  struct Case {
    const char* name;
    zs::Checked<ScriptReal> result;
    const char* expected;
  };
  const Case cases[] = {
      {"1.5+2.25", ScriptReal::add(real("1.5"), real("2.25")), "3.75"},
      {"0.1+0.2", ScriptReal::add(real("0.1"), real("0.2")), "0.3"},
      {"1e30+1", ScriptReal::add(real("1e30"), real("1")), "1.000000000000000000000000000001e+30"},
      {"1e60+1", ScriptReal::add(real("1e60"), real("1")), "1.0e+60"},
      {"1-0.001", ScriptReal::sub(real("1"), real("0.001")), "0.999"},
      {"2-2", ScriptReal::sub(real("2"), real("2.0")), "0.0"},
      {"0-2.5", ScriptReal::sub(ScriptReal(), real("2.5")), "-2.5"},
      {"2.5*4", ScriptReal::mul(real("2.5"), real("4")), "10.0"},
      {"-1.5*1.5", ScriptReal::mul(real("-1.5"), real("1.5")), "-2.25"},
      {"1e-3*1e-4", ScriptReal::mul(real("1e-3"), real("1e-4")), "1.0e-7"},
      {"1/4", ScriptReal::div(real("1"), real("4")), "0.25"},
      {"10/4", ScriptReal::div(real("10"), real("4")), "2.5"},
      {"-7/2", ScriptReal::div(real("-7"), real("2")), "-3.5"},
      {"1/8e3", ScriptReal::div(real("1"), real("8e3")), "0.000125"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.result.status, NumStatus::Ok);
    EXPECT_EQ(c.result.value.toString(), c.expected);
  }
  const ScriptReal third = ScriptReal::div(real("1"), real("3")).value;
  EXPECT_EQ(third.toString().substr(0, 42), "0.3333333333333333333333333333333333333333");
  EXPECT_LT(ScriptReal::mul(third, real("3")).value, real("1"));
  EXPECT_GT(ScriptReal::mul(third, real("3")).value, real("0.99999999999999999999999999999999999999"));
  // Products beyond the mantissa keep the leading digits.
  const ScriptReal huge = ScriptReal::mul(ScriptInt::max(), ScriptInt::max()).value;
  EXPECT_EQ(huge.toString().substr(0, 12), "3.4996011596");
  EXPECT_EQ(ScriptReal::div(real("1"), ScriptReal()).status, NumStatus::DivisionByZero);
  EXPECT_EQ(ScriptReal::mul(ScriptReal(1, std::numeric_limits<std::int32_t>::max()), ScriptReal(1, 1)).status,
            NumStatus::Overflow);
  // A sum beyond the mantissa loses its last digit.
  EXPECT_EQ(ScriptReal::sub(ScriptReal(ScriptInt::min()), real("1")).value.toString(),
            "-1.8707220957835557353007165858768422651595936550092e+50");
}

TEST(ScriptReal, ComparisonIsExact) {
  EXPECT_EQ(ScriptReal(150, -2), ScriptReal(15, -1));
  EXPECT_EQ(ScriptReal(0, 5), ScriptReal());
  expectAscending<ScriptReal>({ScriptReal(ScriptInt::min(), 10), real("-2"), real("-1.5"), real("-1e-30"), ScriptReal(),
                               real("1e-30"), real("0.001"), real("0.0011"), real("1"), real("1.000000000000000000001"),
                               ScriptReal(ScriptInt::max()), ScriptReal(1, 100)});
}

TEST(ScriptReal, Conversions) {
  EXPECT_EQ(ScriptReal::toInt(real("2.9")).value, 2);
  EXPECT_EQ(ScriptReal::toInt(real("-2.9")).value, -2);
  EXPECT_EQ(ScriptReal::toInt(real("1.5e1")).value, 15);
  EXPECT_EQ(ScriptReal::toInt(real("1e-400")).value, 0);
  EXPECT_EQ(ScriptReal::toInt(real("1e60")).status, NumStatus::Overflow);
  EXPECT_EQ(ScriptReal::toInt(real("-1e60")).value, ScriptInt::min());
  EXPECT_EQ(ScriptReal(ScriptInt(42)).toString(), "42.0");
  EXPECT_DOUBLE_EQ(real("1.5").toDouble(), 1.5);
  EXPECT_DOUBLE_EQ(real("-2.25e3").toDouble(), -2250.0);
  EXPECT_EQ(real("1e400").toDouble(), std::numeric_limits<double>::infinity());
  EXPECT_EQ(real("-1e-400").toDouble(), 0.0);
  EXPECT_EQ(ScriptReal::fromDouble(0.1)->toString(), "0.1");
  EXPECT_EQ(ScriptReal::fromDouble(-1e300)->toString(), "-1.0e+300");
  EXPECT_EQ(ScriptReal::fromDouble(std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(ScriptReal::fromDouble(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}

TEST_F(Recording, RealOperatorsReportAndFlag) {
  ScriptReal q = real("1") / ScriptReal();
  EXPECT_TRUE(q.faulty());
  EXPECT_TRUE(q.isZero());
  ScriptReal over = ScriptReal(1, std::numeric_limits<std::int32_t>::max()) * ScriptReal(1, 1);
  EXPECT_TRUE(over.faulty());
  EXPECT_TRUE((over + real("1")).faulty());
  ScriptReal fine = real("1.5") + real("2");
  EXPECT_FALSE(fine.faulty());
  EXPECT_EQ(fine, real("3.5"));
  EXPECT_EQ(-fine, real("-3.5"));
  ASSERT_EQ(g_reports.size(), 2u);
  EXPECT_EQ(g_reports[0].rfind("2DIVBYZERO:", 0), 0u);
  EXPECT_EQ(g_reports[1].rfind("2OVERFLOW:", 0), 0u);
}

}  // namespace
