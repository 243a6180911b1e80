// Variable statements on variables that the script's native code declares,
// through the declaration analysis of the analyser.
#include <gtest/gtest.h>

#include "var_support.h"

namespace {

const char* kDeclarations =
    "typedef unsigned char BYTE;\n"
    "int counter;\n"
    "const int limit = 3;\n"
    "double ratio;\n"
    "BYTE flags;\n"
    "char *name;\n"
    "struct pt { int x; int y; } where;\n"
    "int table[4];\n"
    "int *cursor;\n"
    "enum mode { OFF, ON } state;\n";

std::string codes(const vartest::Run& r) {
  std::string s;
  for (const std::string& c : r.codes()) s += c + " ";
  return s;
}

struct Native {
  const char* statement;
  const char* expected;  // codes
  int typeClass;         // of the recorded variable; -2: not recorded
  const char* cType;
};

TEST(VariableNative, DeclaredInNativeCode) {
  const Native cases[] = {
      {"VAR counter, INIT = 1, EV = 2", "", 0, "int"},
      {"VAR ratio, INIT FROM 0 TO 1 NB_TIMES 3, EV = 0, DELTA = 10%", "", 3, "double"},
      {"VAR flags, INIT = 0FFh, EV = 255", "", 0, "BYTE"},
      {"VAR name, INIT = \"ab\", EV = \"ab\", DELTA = 1", "E:MINMAXDEL ", -2, ""},
      {"VAR limit, INIT = 2, EV = 3", "W:CONSTINIT ", 0, "int"},
      {"VAR limit, EV = 3", "", 0, "int"},
      {"VAR cursor, INIT FROM 0 TO 4 STEP 1, EV = 0", "E:TYPEIFROM ", -2, ""},
      {"VAR ON, INIT = 1, EV = 1", "W:NOMVARINC ", 0, "mode"},
      {"VAR where.x, INIT = 1, MIN = 0, MAX = 2", "", 0, "int"},
      {"STR where, INIT = {1, 2}, EV = {1, 2}", "", 8, ""},
      {"ARRAY table, INIT = 0, EV = 0", "", 0, "int"},
      {"VAR *cursor, INIT = 1, EV = 1", "", 0, "int"},
  };
  for (const Native& c : cases) {
    const vartest::Run r = vartest::run({c.statement}, zenta::model::LangEnglish, kDeclarations);
    EXPECT_EQ(codes(r), c.expected) << c.statement;
    if (c.typeClass == -2) {
      EXPECT_TRUE(r.recorded.empty()) << c.statement;
      continue;
    }
    ASSERT_EQ(r.recorded.size(), 1u) << c.statement;
    EXPECT_EQ(r.recorded[0].typeClass, c.typeClass) << c.statement;
    if (*c.cType != '\0') {
      EXPECT_EQ(r.recorded[0].cType, c.cType) << c.statement;
    }
  }
  EXPECT_EQ(vartest::run({"ARRAY table, INIT = 0, EV = 0"}, zenta::model::LangEnglish, kDeclarations)
                .only()
                .variableText,
            "table[0..3]");
}

}  // namespace

namespace {

// A whole script: the declarations before BEGIN, the variables generated at
// END ELEMENT without a message.
TEST(VariableNative, WholeScript) {
  const auto ms = scripttest::analyse(std::string("HEADER m, 1, x\n") +
                                      "#int counter;\n#struct pt { int x; int y; } where;\n#double ratio;\n"
                                      "BEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\n"
                                      "VAR counter, INIT = 1, EV = 2\n"
                                      "STR where, INIT = {1, 2}, EV == \n"
                                      "VAR ratio, INIT = 0.5, EV = 0.5, DELTA = 1%\n"
                                      "VAR counter, INIT IN (1, 2, 3), EV IN (2, 3, 4)\n"
                                      "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n");
  EXPECT_EQ(scripttest::joined(scripttest::brief(ms)), "W:NOMVARDBL:14 ");
}

}  // namespace

