// The pieces of dynamic initialisation that stand alone: the values of a
// list, the selection macro body over a loop index (each value selected by
// its index, the last one otherwise) and the count of a STEP range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/dynamic.h"

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
      {"0", "10", "5", 3}, {"0", "9", "5", 2},   {"10", "0", "-5", 3}, {"1", "0", "1", 0},
      {"0", "1", "0.25", 5}, {"0", "n", "1", -1}, {"0", "10", "0", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(stepCount(c.low, c.high, c.step), c.count) << c.low << " " << c.high;
}

}  // namespace
