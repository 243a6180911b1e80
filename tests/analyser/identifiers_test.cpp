#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analyser/basic/identifiers.h"

using zenta::analyser::Identifier;
using zenta::analyser::IdentifierTable;

// Entries keep their address and their text while the table grows many times
// over, and every name is found again by text.
TEST(IdentifierTable, EntriesSurviveGrowth) {
  IdentifierTable table;
  std::vector<Identifier*> made;
  for (int i = 0; i < 100000; ++i) made.push_back(table.get("name_" + std::to_string(i)));
  ASSERT_EQ(table.size(), 100000u);
  for (int i = 0; i < 100000; i += 997) {
    std::string text = "name_" + std::to_string(i);
    EXPECT_EQ(table.get(text), made[i]);
    EXPECT_EQ(table.find(text), made[i]);
    EXPECT_EQ(made[i]->text, text);
  }
  EXPECT_EQ(table.find("name_100000"), nullptr);
  EXPECT_EQ(table.size(), 100000u);
  // The empty text is a name like any other.
  EXPECT_EQ(table.get(""), table.get(""));
}
