#include "support/ribbon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zs = zenta::support;

namespace {

std::vector<std::string> listTexts(const zs::Ribbon& ribbon, int length) {
  std::vector<std::string> texts;
  for (const zs::RibbonRecord* r = ribbon.list(length); r; r = r->next) texts.push_back(ribbon.text(r));
  return texts;
}

TEST(Ribbon, InterningTwiceReturnsTheSameRecordAndAddsNothing) {
  zs::Ribbon ribbon;
  const zs::RibbonRecord* first = ribbon.intern("identifier");
  std::int32_t used = ribbon.nextFree();
  EXPECT_EQ(ribbon.intern("identifier"), first);
  EXPECT_EQ(ribbon.nextFree(), used);
  EXPECT_EQ(ribbon.requests(), 2);
  EXPECT_EQ(ribbon.text(first), "identifier");
  EXPECT_EQ(first->length, 10);
  EXPECT_EQ(ribbon.find("identifier"), first);
  EXPECT_EQ(ribbon.find("identifiers"), nullptr);
  // Compare orders a text or record against a record.
  const zs::RibbonRecord* r = ribbon.intern("middle");
  const std::pair<const char*, int> texts[] = {{"middle", 0}, {"alpha", -1}, {"zulu", 1}, {"mid", -1}, {"middles", 1}};
  for (const auto& [text, sign] : texts) EXPECT_EQ((ribbon.compare(r, text) > 0) - (ribbon.compare(r, text) < 0), sign) << text;
  const zs::RibbonRecord* z = ribbon.intern("z");
  EXPECT_LT(ribbon.compare(r, z), 0);
  EXPECT_GT(ribbon.compare(z, r), 0);
  EXPECT_EQ(ribbon.compare(z, z), 0);
}

// Texts are listed by length; texts of 50 characters and more share the last
// list, longer first; equal lengths by increasing signed bytes.
TEST(Ribbon, Lists) {
  zs::Ribbon ribbon;
  std::string fifty(50, 'm'), hundredTwenty(120, 'a'), sixty(60, 'z');
  for (const std::string& t : {fifty, hundredTwenty, sixty}) ribbon.intern(t);
  EXPECT_EQ(listTexts(ribbon, 50), (std::vector<std::string>{hundredTwenty, sixty, fifty}));
  EXPECT_TRUE(listTexts(ribbon, 49).empty());
  for (const char* t : {"bb", "ab", "ba", "aa", "\xe9x", "zz", "", ""}) ribbon.intern(t);
  // A byte of 0xe9 is negative and so comes before every ASCII letter.
  EXPECT_EQ(listTexts(ribbon, 2), (std::vector<std::string>{"\xe9x", "aa", "ab", "ba", "bb", "zz"}));
  EXPECT_EQ(listTexts(ribbon, 0), (std::vector<std::string>{""}));
}

TEST(Ribbon, TextsCrossBlockAndSegmentBoundaries) {
  zs::Ribbon ribbon;
  std::vector<const zs::RibbonRecord*> records;
  std::vector<std::string> texts;
  // 1,100 texts of 997 characters: every block boundary is crossed at a
  // different offset and the second segment is used.
  for (int i = 0; i < 1100; ++i) {
    std::string t(997, static_cast<char>('a' + i % 26));
    t.replace(0, std::to_string(i).size(), std::to_string(i));
    texts.push_back(t);
    records.push_back(ribbon.intern(t));
  }
  EXPECT_GT(ribbon.nextFree(), zs::Ribbon::kSegmentSize);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    ASSERT_EQ(ribbon.text(records[i]), texts[i]);
    ASSERT_EQ(ribbon.compare(records[i], texts[i]), 0);
    ASSERT_EQ(ribbon.intern(texts[i]), records[i]);
  }
  char small[8];
  EXPECT_EQ(ribbon.copyText(records[5], small, sizeof small), 7u);
  EXPECT_EQ(std::string(small), texts[5].substr(0, 7));
  ribbon.clear();
  EXPECT_EQ(ribbon.nextFree(), 0);
  EXPECT_EQ(ribbon.list(50), nullptr);
  EXPECT_EQ(ribbon.text(ribbon.intern("again")), "again");
}

TEST(ProcessRibbon, WorksOnceInitialised) {
  zs::ribbonResetForTests();
  EXPECT_FALSE(zs::ribbonInitialised());
  zs::ribbonInit();
  EXPECT_TRUE(zs::ribbonInitialised());
  const zs::RibbonRecord* r = zs::intern("name");
  EXPECT_EQ(zs::intern("name"), r);
  EXPECT_EQ(zs::ribbonText(r), "name");
  EXPECT_EQ(zs::ribbonCompare(r, "name"), 0);
  EXPECT_EQ(zs::ribbonNextFree(), 4);
  EXPECT_EQ(zs::ribbonRequests(), 2);
  EXPECT_EQ(zs::ribbonList(4), r);
  char buffer[16];
  EXPECT_EQ(zs::ribbonCopyText(r, buffer, sizeof buffer), 4u);
  EXPECT_STREQ(buffer, "name");
  zs::ribbonResetForTests();
}

TEST(RibbonDeathTest, UninitialisedAndMissingBlocksAreSevere) {
  EXPECT_EXIT(
      {
        zs::ribbonResetForTests();
        zs::intern("x");
      },
      testing::ExitedWithCode(9), "RUBNOTINI");
  zs::Ribbon ribbon;
  ribbon.intern("abc");
  zs::RibbonRecord forged{nullptr, 5000, 3};
  EXPECT_EXIT(ribbon.text(&forged), testing::ExitedWithCode(9), "DEBORUBAN.*5000");
  zs::RibbonRecord beyond{nullptr, 3 * zs::Ribbon::kSegmentSize, 1};
  EXPECT_EXIT(ribbon.compare(&beyond, "a"), testing::ExitedWithCode(9), "DEBORUBAN");
}

}  // namespace
