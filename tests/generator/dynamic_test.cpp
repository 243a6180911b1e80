// The pieces of dynamic initialisation that stand alone: the values of a
// list, the selection macro body over a loop index (each value selected by
// its index, the last one otherwise) and the count of a STEP range.
#include "generator/dynamic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/generator/generation_fixture.h"

namespace {

using zenta::generator::listValues;
using zenta::generator::selectionBody;
using zenta::generator::stepCount;

TEST(DynamicValues, ListsSplitAtTopLevelCommas) {
  const struct {
    const char* list;
    std::vector<std::string> values;
  } cases[] = {
      {"(1, 2, 3)", {"1", "2", "3"}},
      {"{ f(1, 2) , \"a,b\" , 'x' }", {"f(1, 2)", "\"a,b\"", "'x'"}},
      {"(7)", {"7"}},
      {"()", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(listValues(c.list), c.values) << c.list;
}

TEST(DynamicValues, SelectionMacroBodies) {
  EXPECT_EQ(selectionBody("J1", {"1", "2", "3"}, ""), "(J1 == 1 ? 1 :(J1 == 2 ? 2 :3))");
  EXPECT_EQ(selectionBody("J2", {"\"a\""}, ""), "\"a\"");
  EXPECT_EQ(selectionBody("J1", {"NIL", "&x"}, "int *"), "(J1 == 1 ? (int *)(0) :(int *)(&x))");
}

TEST(DynamicValues, StepRangeCounts) {
  const struct {
    const char *low, *high, *step;
    long count;
  } cases[] = {
      {"0", "10", "5", 3},   {"0", "9", "5", 2},  {"10", "0", "-5", 3}, {"1", "0", "1", 0},
      {"0", "1", "0.25", 5}, {"0", "n", "1", -1}, {"0", "10", "0", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(stepCount(c.low, c.high, c.step), c.count) << c.low << " " << c.high;
}

// One variable of each range kind, the first dynamic one of its test: the
// loop header over J1 (straight into the harness), the value it is given,
// and the repetition line with its count, "?" and the count call of the
// harness when it is known only at run time.
struct RangeCase {
  const char* name;
  int kind;
  const char *low, *high, *step;
  bool bounds;
  int typeClass;
  const char* cType;
  const char* header;
  const char* assignment;
  const char* repetition;
  const char* countCall = nullptr;
};

void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }

class RangeForms : public zenta::generator::testing_support::GenerationTest,
                   public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeForms, LoopValueAndRepetition) {
  namespace support = zenta::generator::testing_support;
  namespace model = zenta::model;
  const RangeCase& c = GetParam();
  auto d = support::scalar("v", c.typeClass, c.typeClass == 3 ? "double" : "entier", c.cType, 0, "", "");
  d->initPresent = d->initFromPresent = true;
  d->initForm = model::InitFromRange;
  d->rangeKind = c.kind;
  d->rangeLow = c.low;
  d->rangeHigh = c.high;
  d->rangeStep = c.step;
  d->boundsFlag = c.bounds;
  d->minText = d->maxText = "0";
  d->minPresent = d->maxPresent = true;
  generateElement({d});
  const auto h = support::lines(harness);
  EXPECT_NE(support::findLine(h, c.header), -1) << harness;
  // Long assignments are cut at a blank onto the next line.
  std::string joined = harness;
  std::erase(joined, '\n');
  EXPECT_NE(joined.find(c.assignment), std::string::npos) << harness;
  EXPECT_NE(support::findLine(support::lines(tdc), c.repetition), -1) << tdc;
  if (c.countCall) {
    EXPECT_NE(support::findLine(h, c.countCall), -1) << harness;
  } else {
    EXPECT_EQ(harness.find("DCL_FAC_REP_CPP"), std::string::npos) << harness;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RangeForms,
    ::testing::Values(
        RangeCase{"step", zenta::model::RangeStep, "0", "10", "5", false, 0, "int",
                  " for ( J1 = 1;((5>0)&&(0+(5*(J1-1))<=10)) || ((5<0)&&(0+(5*(J1-1))>=10));J1++ ) {",
                  "v = ( int ) ( 0 + ( (5) * (J1-1)) );", "R4 3"},
        RangeCase{"step up to a variable", zenta::model::RangeStep, "0", "n", "5", false, 0, "int",
                  " for ( J1 = 1;((5>0)&&(0+(5*(J1-1))<=n)) || ((5<0)&&(0+(5*(J1-1))>=n));J1++ ) {",
                  "v = ( int ) ( 0 + ( (5) * (J1-1)) );", "R4 ?",
                  "zenta_run.DCL_FAC_REP_CPP(4,(int)((n - (0))/5 + 1));"},
        RangeCase{"nb_times", zenta::model::RangeCount, "0", "1", "5", false, 3, "double",
                  " for ( J1 = 1; (J1-1) < 5; J1++ ) {",
                  "v = ( double ) ( 0 + ( ( (double)( 1 - (0) ) / ( 5 - 1 ) ) * (J1-1) ) );", "R4 5"},
        RangeCase{"nb_random", zenta::model::RangeRandom, "-1", "1", "3", false, 3, "double",
                  " for ( J1 = 1; (J1-1) < 3 ; J1++ ) {",
                  "v = ( double ) (  ( (-1 + ( ( ((1)/2) - ((-1)/2) ) * rand1[J1-1] )) ));", "R4 3"},
        RangeCase{"nb_random with bounds", zenta::model::RangeRandom, "0", "2", "3", true, 3, "double",
                  " for ( J1 = 1; (J1-1) < 5 ; J1++ ) {",
                  "v = ( double ) ( (rand1[J1-1] < -1.0) ? (2 ):( (double)(0 + ( ( ((2)/2) - ((0)/2) ) * "
                  "rand1[J1-1] )) ));",
                  "R4 5"},
        RangeCase{"nb_random of integers", zenta::model::RangeRandom, "0", "1", "3", false, 0, "int",
                  " for ( J1 = 1; (J1-1) < 3 ; J1++ ) {",
                  "v = ( int ) (  ( ((0) + (long long)( ( ( (double)(1) - (double)(0) ) / 2 ) * rand1[J1-1] "
                  "+ ( (1) >= "
                  "(0) ? 0.5 : -0.5 ) )) ));",
                  "R4 3"}),
    [](const ::testing::TestParamInfo<RangeCase>& info) {
      std::string n;
      for (const char* p = info.param.name; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      return n;
    });

}  // namespace
