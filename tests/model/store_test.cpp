// The test model: pools by level, the access-path parser, same-name chains
// with index-ordered insertion, environment definitions and the use stack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diag/report.h"
#include "model/access_path.h"
#include "model/pool.h"
#include "model/store.h"

using namespace zenta::model;

namespace {

class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zenta::diag::resetForTests();
    resetModel();
  }
};

TEST_F(ModelTest, PoolsInternOnceAndEmptyByLevel) {
  const Handle a = intern(LevelTest, "beta");
  const Handle b = intern(LevelTest, "alpha");
  const Handle c = intern(LevelTest, "beta");
  EXPECT_EQ(a.index, c.index);
  EXPECT_GT(compare(a, b), 0);
  EXPECT_EQ(poolSize(LevelTest), 2u);
  const Handle keep = intern(LevelService, "kept");
  emptyPool(LevelTest);
  EXPECT_EQ(poolSize(LevelTest), 0u);
  EXPECT_EQ(text(a), "");  // stale handle reads as empty, never as another text
  intern(LevelTest, "gamma");
  EXPECT_EQ(text(a), "");
  EXPECT_EQ(text(keep), "kept");
}

TEST_F(ModelTest, NormalisesVariableTexts) {
  struct Row {
    const char* in;
    const char* out;
  } rows[] = {
      {"  t [ 10L ] . f  ", "t[10].f"},
      {"x1l", "x1l"},
      {"unsigned  int", "unsigned int"},
      {"s[\"a  b\"]", "s[\"a  b\"]"},
      {"a [ 1 .. 3 ]", "a[1..3]"},
  };
  for (const Row& r : rows) EXPECT_EQ(normaliseVariableText(r.in), r.out) << r.in;
}

// Each path element as kind:text or kind:lower..upper (f field, i index,
// d dereference), after the root.
std::string describe(const AccessPath& p) {
  std::string out = p.rootText();
  for (const PathElement& e : p.elements) {
    out += e.kind == PathField ? " f:" : e.kind == PathIndex ? " i:" : " d:";
    if (e.kind == PathIndex && e.boundGiven) out += std::to_string(e.lower) + ".." + std::to_string(e.upper);
    else if (e.kind != PathDereference) out += text(e.text);
  }
  return out;
}

TEST_F(ModelTest, ParsesAccessPaths) {
  const std::pair<const char*, const char*> cases[] = {
      {"tab[2][1..3].field", "tab i:2..2 i:1..3 f:field"},
      {"m[i, -4]", "m i:i i:-4..-4"},
      {"*ptr", "ptr d:"},
      {"obj->member", "obj->member"},
      {"s[\"a]b\"]", "s i:\"a]b\""},
  };
  AccessPath p;
  for (const auto& [path, expected] : cases) {
    ASSERT_TRUE(parseAccessPath(path, LevelElement, p)) << path;
    EXPECT_EQ(describe(p), expected);
  }
  for (const char* bad : {"", "[1]", "t[", "t[]", "t[1..]", "t.", "3x", "t[1]]"})
    EXPECT_FALSE(parseAccessPath(bad, LevelElement, p)) << bad;
  EXPECT_TRUE(transitionUsed(0, 1));
}

std::vector<std::string> chainTexts(const VariableStore& s, const std::string& root) {
  std::vector<std::string> out;
  for (const VariableNode* n = findVariable(s, root); n; n = n->sameName.get())
    out.push_back(n->description->variableText);
  return out;
}

void add(VariableStore& s, const std::string& var, bool check) {
  AccessPath p;
  parseAccessPath(var, LevelElement, p);
  auto d = std::make_shared<VariableDescription>();
  d->variableText = var;
  insertVariable(s, p, intern(LevelElement, var), d, check);
}

TEST_F(ModelTest, SameNameChainsAndTreeOrder) {
  VariableStore s;
  for (const char* v : {"m", "t[1]", "a", "t[2]", "z", "t[0]"}) add(s, v, false);
  EXPECT_EQ(chainTexts(s, "t"), (std::vector<std::string>{"t[1]", "t[2]", "t[0]"}));
  std::vector<std::string> order;
  forEachVariable(s.root.get(), [&](const VariableNode& n) { order.push_back(n.description->variableText); });
  EXPECT_EQ(order, (std::vector<std::string>{"a", "m", "t[1]", "t[2]", "t[0]", "z"}));
  EXPECT_EQ(s.variableCount, 6);
  // Generation walks the script's order.
  order.clear();
  forEachVariableInScriptOrder(s, [&](const VariableNode& n) { order.push_back(n.description->variableText); });
  EXPECT_EQ(order, (std::vector<std::string>{"m", "t[1]", "a", "t[2]", "z", "t[0]"}));
}

TEST_F(ModelTest, IndexOrderedInsertion) {
  VariableStore s;
  add(s, "t[5]", true);
  add(s, "t[1..2]", true);   // below 5: goes first (takes the tree slot)
  add(s, "t[9]", true);      // above everything: appended
  add(s, "t[3][1]", true);   // before 5
  add(s, "q", true);
  EXPECT_EQ(chainTexts(s, "t"), (std::vector<std::string>{"t[1..2]", "t[3][1]", "t[5]", "t[9]"}));
  EXPECT_NE(findVariable(s, "q"), nullptr);
  EXPECT_EQ(zenta::diag::warningCount(), 0);
  add(s, "t[i]", true);  // no bounds: warning, placed before the first
  EXPECT_EQ(zenta::diag::warningCount(), 1);
  EXPECT_EQ(chainTexts(s, "t").front(), "t[i]");
  EXPECT_NE(findVariable(s, "q"), nullptr);  // the tree survived the head change
}

TEST_F(ModelTest, ExpectedExceptionOnce) {
  VariableStore s;
  EXPECT_TRUE(setExpectedException(s, "E1"));
  EXPECT_FALSE(setExpectedException(s, "E2"));
  EXPECT_EQ(s.expectedException, "E1");
  EXPECT_EQ(zenta::diag::warningCount(), 1);
  appendRegisterVariable(nullptr, "r");
  EXPECT_EQ(zenta::diag::errorCount(), 1);
}

TEST_F(ModelTest, EnvironmentsInNameOrderAndDuplicates) {
  ASSERT_NE(createEnvironment("ENV_B", LevelProgram), nullptr);
  ASSERT_NE(createEnvironment("ENV_A", LevelTest), nullptr);
  ASSERT_NE(createEnvironment("ENV_C", LevelService), nullptr);
  EXPECT_EQ(createEnvironment("ENV_B", LevelElement), nullptr);
  EXPECT_EQ(zenta::diag::errorCount(), 1);
  std::vector<std::string> names;
  for (const EnvironmentDefinition* d = firstEnvironment(); d; d = d->next) names.push_back(d->nameText());
  EXPECT_EQ(names, (std::vector<std::string>{"ENV_A", "ENV_B", "ENV_C"}));
  discardEnvironments(LevelTest);
  EXPECT_EQ(findEnvironment("ENV_A"), nullptr);
  EXPECT_NE(findEnvironment("ENV_B"), nullptr);
  EXPECT_EQ(poolSize(LevelTest), 0u);
}

TEST_F(ModelTest, UseStackMarksAcrossLevels) {
  createEnvironment("E", LevelProgram);
  createEnvironment("P", LevelProgram)->parameterCount = 1;
  EXPECT_TRUE(pushUse("E", LevelProgram, {}, 0));
  EXPECT_TRUE(pushUse("E", LevelService, {}, 1));
  EXPECT_TRUE(pushUse("P", LevelTest, {intern(LevelTest, "3")}, 2));
  EXPECT_TRUE(pushUse("E", LevelElement, {}, 3));
  EXPECT_EQ(useTop(), 4);
  popUses(LevelElement);
  EXPECT_EQ(useTop(), 3);
  popUses(LevelTest);
  EXPECT_EQ(useTop(), 2);
  EXPECT_EQ(useMark(LevelElement), 2);
  popUses(LevelService);
  EXPECT_EQ(useTop(), 1);  // the program-level use stays
  EXPECT_NE(useAt(1), nullptr);
  EXPECT_EQ(useAt(2), nullptr);

  EXPECT_FALSE(pushUse("NOPE", LevelTest, {}, 2));
  EXPECT_FALSE(pushUse("P", LevelTest, {}, 2));
  EXPECT_EQ(zenta::diag::errorCount(), 2);
  popUses(0);
  EXPECT_EQ(zenta::diag::errorCount(), 3);
}

TEST_F(ModelTest, UseStackRefusesBeyondItsSize) {
  createEnvironment("E", LevelProgram);
  for (int i = 0; i < kUseStackSize - 1; ++i) ASSERT_TRUE(pushUse("E", LevelProgram, {}, 0));
  ASSERT_TRUE(pushUse("E", LevelService, {}, 1));
  EXPECT_FALSE(pushUse("E", LevelService, {}, 1));
  EXPECT_EQ(useTop(), kUseStackSize);
  EXPECT_EQ(zenta::diag::errorCount(), 1);
  popUses(LevelService);
  EXPECT_EQ(useTop(), kUseStackSize - 1);
  EXPECT_TRUE(pushUse("E", LevelService, {}, 1));
}

}  // namespace
