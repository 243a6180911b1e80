// Variable statements: every message with its argument, each qualifier form
// and French word, the order of the consistency checks, structured and array
// variables, and what a statement records.
#include <gtest/gtest.h>

#include "var_support.h"

using vartest::run;
using zenta::model::LangEnglish;
using zenta::model::LangFrench;

namespace {

struct Case {
  const char* name;
  std::vector<std::string> lines;
  std::vector<std::string> expected;  // "E:CODE" in order
  const char* argument = nullptr;     // the end of the first message's text
  int language = LangEnglish;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

using scripttest::joined;

std::vector<Case> cases() {
  return {
      // The variable text.
      {"clean", {"VAR i, INIT = 1, EV = 2"}, {}},
      {"empty variable", {"VAR , INIT = 1, EV = 1"}, {"E:VARNAMMSG"}},
      {"INIT without variable", {"VAR INIT = 1, EV = 1"}, {"E:VARNAMMSG"}},
      {"EV without variable", {"VAR EV(1), INIT = 1"}, {"E:VARNAMMSG"}},
      {"VA without variable in French", {"VAR VA = 1"}, {"E:VARNAMMSG"}, nullptr, LangFrench},
      {"a name that starts like a qualifier", {"VAR initial, int, INIT = 1, EV = 1", "VAR EVENT, int, INIT = 1, EV = 1"},
       {}},
      {"bracket closed by another", {"VAR t[1), INIT = 1, EV = 1"}, {"E:ERRPARENT", "E:STXERRTYP"}, "t[1), INIT = 1, EV = 1"},
      {"bracket left open after the comma", {"VAR i, INIT = (1, EV = 1"}, {"E:ERRPARENT", "E:STXERRTYP"}},
      {"commas and brackets in literals", {"VAR str, INIT = \"a,(b\", EV = \"a,(b\""}, {}},
      {"unknown variable", {"VAR nowhere, INIT = 1, EV = 1"}, {"W:IDENTIINC"}, "nowhere"},
      {"unknown variable with its type", {"VAR nowhere, long, INIT = 1, EV = 1"}, {}},

      // Qualifier words.
      {"lower-case qualifiers", {"VAR i, init = 1, ev = 2, delta = 1"}, {}},
      {"VA in an English script", {"VAR i, INIT = 1, VA = 2"}, {}},
      {"unknown qualifier, the others handled", {"VAR i, INIT = 1, FOO = 3, EV = 2"}, {"E:INVMOTCLE"}, "FOO"},

      // MIN, MAX, DELTA.
      {"MIN twice", {"VAR i, INIT = 1, MIN = 0, MIN = 1, MAX = 3"}, {"E:DEFMULTIP"}, "MIN"},
      {"MIN without =", {"VAR i, INIT = 1, MIN 2, MAX = 3"}, {"E:EGALABSEN", "E:VAMINABSE"}, "MIN"},
      {"MIN without value, then again", {"VAR i, INIT = 1, MIN =, MIN = 2, MAX = 3"}, {"E:STX_ERRRA", "E:DEFMULTIP"}},
      {"DELTA twice", {"VAR f, INIT = 1, EV = 1, DELTA = 1, DELTA = 2%"}, {"E:DEFMULTIP"}, "DELTA"},
      {"value with text after it", {"VAR i, INIT = 1, MAX = 3 4, MIN = 0"}, {"E:SYNTAXERO"}},

      // EV.
      {"EV twice", {"VAR i, INIT = 1, EV = 1, VA = 2"}, {"E:DEFMULTIP"}, "VA"},
      {"EV alone", {"VAR i, INIT = 1, EV"}, {"E:EGALABSEN", "E:VAMIMAABS"}, "EV"},
      {"VA alone in French", {"VAR i, INIT = 1, VA"}, {"E:EGALABSEN", "E:VAMIMAABS"}, "VA", LangFrench},
      {"EV = without value", {"VAR i, INIT = 1, EV ="}, {"E:STX_ERRRA"}},
      {"EV == with text", {"VAR i, INIT = 1, EV == 7"}, {"I:IGNEXPRES"}, "7"},
      {"EV == alone", {"VAR i, INIT = 1, EV =="}, {}},
      {"EV => value", {"VAR i, INIT = 1, EV => 3"}, {}},
      {"EV => without value", {"VAR i, INIT = 1, EV =>"}, {"E:STX_ERRRA"}},
      {"EV IN list", {"VAR i, INIT = 1, EV IN (1, 2)"}, {}},
      {"EV DANS in an English script", {"VAR i, INIT = 1, EV DANS {1, 2}"}, {}},
      {"EV IN without a list", {"VAR i, INIT = 1, EV IN 3"}, {"E:LISTEVAIN"}, "3"},
      {"EV IN with an empty value", {"VAR i, INIT = 1, EV IN (1, , 3)"}, {"E:LISTEVAIN"}},
      {"EV (...) with another word", {"VAR i, INIT = 1, EV (j) FOR (1, 2)"}, {"E:STX_ERRRA", "E:VAMIMAABS"}},
      {"EV other text", {"VAR i, INIT = 1, EV ~ 3"}, {"E:STX_ERRRA", "E:VAMIMAABS"}},
      {"EV (...) WITH without a list", {"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT = 1, EV (i) WITH 4"},
       {"E:LISTEVAIN"}, "4"},

      // INIT.
      {"INIT twice", {"VAR i, INIT = 1, INIT = 2, EV = 3"}, {"E:DEFMULTIP"}, "INIT"},
      {"INIT = without value", {"VAR i, INIT =, EV = 1"}, {"E:INITABSEN"}, "i"},
      {"INIT == without value", {"VAR i, INIT ==, EV = 1"}, {"E:INITABSEN"}},
      {"INIT without =", {"VAR i, INIT 3, EV = 1"}, {"E:EGALABSEN", "W:INITABSEN"}, "INIT"},
      {"INIT IN without a list", {"VAR i, INIT IN 3, EV = 1"}, {"E:LISTEINIT"}, "3"},
      {"INIT IN with an empty value", {"VAR i, INIT IN (1, , 3), EV = 1"}, {"E:LISTEINIT"}},
      {"INIT DANS in an English script", {"VAR i, INIT DANS (1, 2), EV = 1"}, {}},
      {"INIT FROM without TO", {"VAR i, INIT FROM 1 10 STEP 1, EV = 1"}, {"E:TOATTENDU"}},
      {"INIT FROM with nothing after the range", {"VAR i, INIT FROM 1 TO 10, EV = 1"}, {"E:STIMDOMAT"}},
      {"INIT FROM with STEP and no step", {"VAR i, INIT FROM 1 TO 10 STEP, EV = 1"}, {"E:STIMDOMAT"}},
      {"NB_RANDOM without count", {"VAR i, INIT FROM 1 TO 10 NB_RANDOM, EV = 1"}, {"E:VALHASARD"}},
      {"NB_RANDOM out of range", {"VAR i, INIT FROM 1 TO 10 NB_RANDOM 300, EV = 1"}, {"E:VALUEINCO"},
       "(1<nb_random<256)"},
      {"NB_RANDOM below zero", {"VAR i, INIT FROM 1 TO 10 NB_RANDOM -1, EV = 1"}, {"E:VALUEINCO"}},
      {"text after the count", {"VAR i, INIT FROM 1 TO 10 NB_RANDOM 5 MORE, EV = 1"}, {"E:PLUSBOUND"}},
      {"+BOUNDS after NB_TIMES", {"VAR i, INIT FROM 1 TO 10 NB_TIMES 5 +BOUNDS, EV = 1"}, {"E:PLUSBOUND"}},
      {"a count written with blanks", {"VAR i, INIT FROM 1 TO 10 NB_TIMES 2 * 3, EV = 1"}, {}},
      {"French range", {"VAR i, INIT DE 1 A 10 NB_HASARD 3 +BORNES, VA = 1"}, {}, nullptr, LangFrench},
      {"English range words in a French script", {"VAR i, INIT FROM 1 TO 10 STEP 1, VA = 1"}, {"E:EGALABSEN", "W:INITABSEN"},
       "INIT", LangFrench},
      {"French range words in an English script", {"VAR i, INIT DE 1 A 10 INCREMENT 1, EV = 1"}, {"E:EGALABSEN", "W:INITABSEN"}},
      {"INIT other text", {"VAR i, INIT ~ 3, EV = 1"}, {"E:EGALABSEN", "W:INITABSEN"}},

      // Consistency checks.
      {"no INIT", {"VAR i, EV = 1"}, {"W:INITABSEN"}, "i"},
      {"no EV, MIN nor MAX", {"VAR i, INIT = 1"}, {"E:VAMIMAABS"}, "i"},
      {"MAX without MIN", {"VAR i, INIT = 1, MAX = 2"}, {"E:VAMINABSE"}},
      {"MIN without MAX", {"VAR i, INIT = 1, MIN = 2"}, {"E:VAMAXABSE"}},
      {"EV with MIN", {"VAR i, INIT = 1, EV = 1, MIN = 0"}, {"E:VA_MINMAX"}},
      {"EV with MIN and MAX: twice", {"VAR i, INIT = 1, EV = 1, MIN = 0, MAX = 2"}, {"E:VA_MINMAX", "E:VA_MINMAX"}},
      {"DELTA with MIN and MAX", {"VAR f, INIT = 1, MIN = 0, MAX = 2, DELTA = 1"}, {"E:DELMINMAX"}},
      {"DELTA on a pointer", {"VAR p, INIT = 0, EV = 0, DELTA = 1"}, {"E:MINMAXDEL"}, "p"},
      {"MIN and MAX on a pointer", {"VAR p, INIT = 0, MIN = 0, MAX = 1"}, {"E:MINMAXDEL"}},
      {"DELTA on a character", {"VAR c, INIT = 'a', EV = 'b', DELTA = 1"}, {"E:MINMAXDEL"}},
      {"DELTA on a string", {"VAR str, INIT = \"a\", EV = \"a\", DELTA = 1"}, {"E:MINMAXDEL"}},
      {"MIN and MAX on a string", {"VAR str, INIT = \"a\", MIN = \"a\", MAX = \"b\""}, {}},
      {"range on a pointer", {"VAR p, INIT FROM 0 TO 4 STEP 1, EV = 0"}, {"E:TYPEIFROM"}, "p"},
      {"range on a character", {"VAR c, INIT FROM 0 TO 4 STEP 1, EV = 0"}, {"E:TYPEIFROM"}},
      {"range on a real", {"VAR d, INIT FROM 0 TO 1 NB_TIMES 5, EV = 0"}, {}},
      {"checks 1, 3 and 5 in order", {"VAR p, MIN = 0, MAX = 1, DELTA = 1"},
       {"W:INITABSEN", "E:DELMINMAX", "E:MINMAXDEL"}},
      {"checks 2, 5 and 6 in order", {"VAR p, INIT FROM 0 TO 1 STEP 1, MAX = 1, DELTA = 1"},
       {"E:VAMINABSE", "E:MINMAXDEL", "E:TYPEIFROM"}},
      {"checks 4 and 5 in order", {"VAR p, INIT = 0, EV = 0, MIN = 0, MAX = 1"},
       {"E:VA_MINMAX", "E:VA_MINMAX", "E:MINMAXDEL"}},
      {"an enumerator takes no INIT", {"VAR RED, EV = 0"}, {}},
      {"INIT given to an enumerator", {"VAR RED, INIT = 1, EV = 0"}, {"W:NOMVARINC"}, "RED"},
      {"INIT given to a constant", {"VAR ci, INIT = 2, EV = 1"}, {"W:CONSTINIT"}, "ci"},
      {"a call takes no INIT", {"VAR fn(1, 'a'), EV = 0"}, {}},
      {"a function is not tested", {"VAR fn, EV = 0"}, {"W:VARNOTEST"}},

      // Structured and array variables.
      {"structure", {"STR origin, INIT = {1, 2}, EV = {1, 2}"}, {}},
      {"structure with EV ==", {"STR origin, INIT == {1, 2}, EV =="}, {}},
      {"structure with INIT IN", {"STR origin, INIT IN ({1, 2}), EV = {1, 2}"}, {"E:AUTOSTRUC"}},
      {"structure with MIN and MAX", {"STRUCTURE origin, INIT = {1, 2}, MIN = {0, 0}, MAX = {3, 3}"},
       {"E:AUTOSTRUC"}},
      {"structure with an empty aggregate", {"STR origin, INIT = {}, EV = {1, 2}"}, {"E:INITAGREG"}, "origin"},
      {"values omitted in INIT only", {"STR origin, INIT = {1, }, EV = {1, 2}"}, {"W:INVAOMISE"}, "origin"},
      {"values omitted in both", {"STR origin, INIT = {1, }, EV = {1, }"}, {}},
      {"structure with others", {"STR origin, INIT = {x => 1, others => 0}, EV = {others => 0}"}, {}},
      {"recursive structure", {"STR lp, INIT = {1}, EV = {1}"}, {"E:STRRECURS"}},
      {"array without size", {"ARRAY ext, INIT = 0, EV = 0"}, {"W:ERTAILTAB"}, "ext"},
      {"unknown array with its type", {"ARRAY nowhere, int, INIT = 0, EV = 0"}, {}},
      {"array of structures", {"TAB pts, INIT = {1, 2}, EV = {1, 2}"}, {}},

      // Linked lists.
      {"EV IN linked to an INIT IN", {"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT = 0, EV (i) IN (5, 6)"}, {}},
      {"linked variable not in the element", {"VAR j, INIT = 0, EV (i) IN (5, 6)"}, {"E:VARLIEINC"}, "i"},
      {"linked variable without INIT IN", {"VAR i, INIT = 1, EV = 0", "VAR j, INIT = 0, EV (i) IN (5, 6)"},
       {"E:VARLIEINC"}},
      {"linked list of another length", {"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT = 0, EV (i) IN (5, 6, 7)"},
       {"E:VARLIENNB"}, "i"},
      {"EV (...) IN without a list", {"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT = 1, EV (i) IN 4"},
       {"E:LISTEVAIN"}, "4"},
      {"INIT WITH linked", {"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT (i) WITH (3, 4), EV = 0"}, {}},
      {"EV WITH linked", {"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT = 0, EV (i) AVEC (3, 4)"}, {}},
      {"EV WITH of another length", {"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT = 0, EV (i) WITH (3)"},
       {"E:VARLIENNB"}, "i"},
      {"EV WITH linked to no INIT IN", {"VAR j, INIT = 0, EV (i) WITH (3, 4)"}, {"E:VARLIEINC"}, "i"},
      {"INIT WITH of another length", {"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT (i) AVEC (3), EV = 0"},
       {"E:VARLIENNB"}},
      {"EV IN of another length than INIT IN", {"VAR i, INIT IN (1, 2), EV IN (1, 2, 3)"}, {"E:VAINIT_IN"}, "i"},
      {"EV IN of another count than the range", {"VAR i, INIT FROM 0 TO 9 NB_TIMES 3, EV IN (1, 2)"},
       {"E:VAINIT_IN"}},

      // A variable described twice.
      {"variable twice", {"VAR i, INIT = 1, EV = 1", "VAR i , INIT = 2, EV = 2"}, {"W:NOMVARDBL"}, "i"},
      {"two elements of one array", {"VAR t[0], INIT = 1, EV = 1", "VAR t[1], INIT = 2, EV = 2"}, {}},
  };
}

class VariableCases : public ::testing::TestWithParam<Case> {};

TEST_P(VariableCases, GivesExactlyTheseMessages) {
  const Case& c = GetParam();
  const vartest::Run r = run(c.lines, c.language);
  EXPECT_EQ(joined(r.codes()), joined(c.expected)) << c.name;
  if (c.argument != nullptr && !r.messages.empty()) {
    const std::string& text = r.messages.front().text;
    const std::string arg = c.argument;
    EXPECT_TRUE(text.size() >= arg.size() && text.find(arg) != std::string::npos) << text;
  }
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
  std::string n;
  for (const char* p = info.param.name; *p; ++p) n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return n;
}

INSTANTIATE_TEST_SUITE_P(Statements, VariableCases, ::testing::ValuesIn(cases()), caseName);


using zenta::model::VariableDescription;

// What one statement records.
TEST(VariableRecord, ValuesFormsAndType) {
  {
    const VariableDescription d = run({"VAR i, INIT = 1 + 2, EV = 0FFh, DELTA = 5%"}).only();
    EXPECT_EQ(d.variableText, "i");
    EXPECT_TRUE(d.initPresent && d.evPresent);
    EXPECT_EQ(d.initText, "3");  // constant expressions are evaluated
    EXPECT_EQ(d.evText, "255");  // script notations are written as their value
    EXPECT_EQ(d.deltaKind, zenta::model::DeltaPercentage);
    EXPECT_EQ(d.deltaText, "5");
    EXPECT_EQ(d.typeClass, 0);
    EXPECT_EQ(d.classWord, "entier");
    EXPECT_EQ(d.cType, "int");
    EXPECT_EQ(d.analyserFlags & (zenta::model::FlagTyped | zenta::model::FlagTested),
              zenta::model::FlagTyped | zenta::model::FlagTested);
    EXPECT_EQ(d.statementKind, zenta::model::VariableScalar);
  }
  EXPECT_EQ(run({"VAR f, INIT = 1, EV = 2, DELTA = 0.5"}).only().deltaKind, zenta::model::DeltaAbsolute);
  {
    const VariableDescription d = run({"VAR i, INIT == 4, EV == ignored"}).only();
    EXPECT_TRUE(d.initDoubleEqual);
    EXPECT_EQ(d.initText, "4");
    EXPECT_TRUE(d.evForm);
    EXPECT_EQ(d.evKind, zenta::model::EvDoubleEqual);
    EXPECT_TRUE(d.evText.empty());
  }
  {
    const VariableDescription d = run({"VAR i, INIT = 0, EV => 7"}).only();
    EXPECT_EQ(d.evKind, zenta::model::EvArrow);
    EXPECT_EQ(d.evArrowText, "7");
  }
  {
    const VariableDescription d = run({"VAR i, INIT IN (1, 2, 3), EV IN {4, 5, 6}"}).only();
    EXPECT_EQ(d.initForm, zenta::model::InitInList);
    EXPECT_EQ(d.initListCount, 3);
    EXPECT_EQ(d.initText, "(1, 2, 3)");
    EXPECT_EQ(d.evKind, zenta::model::EvInList);
    EXPECT_EQ(d.evListCount, 3);
    EXPECT_EQ(d.evInList, "{4, 5, 6}");
  }
  {
    const vartest::Run r = run({"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT = 0, EV (i) WITH (2 * 3, 4)"});
    ASSERT_EQ(r.recorded.size(), 2u);
    const VariableDescription& d = r.recorded.back();
    EXPECT_EQ(d.evKind, zenta::model::EvLinkedWith);
    EXPECT_EQ(d.evLinkText, "i");
    EXPECT_EQ(d.evWithText, "(6, 4)");
    EXPECT_EQ(d.evListCount, 2);
  }
}

TEST(VariableRecord, Ranges) {
  struct Range {
    const char* statement;
    int kind;
    bool bounds;
    const char* low;
    const char* high;
    const char* step;
    int values;
    int random;
    int language = LangEnglish;
  };
  const Range ranges[] = {
      {"VAR i, INIT FROM 0 TO 10 STEP 5, EV = 0", zenta::model::RangeStep, false, "0", "10", "5", 0, 0},
      {"VAR d, INIT FROM 0 TO 1 NB_TIMES 5, EV = 0", zenta::model::RangeCount, false, "0", "1", "5", 5, 0},
      {"VAR d, INIT FROM 0 TO 1 NB_VALUE 4, EV = 0", zenta::model::RangeCount, false, "0", "1", "4", 4, 0},
      {"VAR d, INIT FROM 0 TO 1 NB_TIMES 1, EV = 0", zenta::model::RangeCount, false, "0", "1", "1", 0, 0},
      {"VAR d, INIT FROM -1 TO 1 NB_RANDOM 3, EV = 0", zenta::model::RangeRandom, false, "-1", "1", "3", 3, 3},
      {"VAR d, INIT FROM 0 TO 1 NB_RANDOM 3 +BOUNDS, EV = 0", zenta::model::RangeRandom, true, "0", "1", "3", 5, 3},
      {"VAR d, INIT FROM 0 TO 1 NB_RANDOM 300, EV = 0", zenta::model::RangeRandom, false, "0", "1", "10", 10, 10},
      {"VAR d, INIT FROM 0 TO 1 NB_RANDOM j, EV = 0", zenta::model::RangeRandom, false, "0", "1", "j", 0, 0},
      {"VAR d, INIT DE 0 A 8 INCREMENT 2, VA = 0", zenta::model::RangeStep, false, "0", "8", "2", 0, 0, LangFrench},
      {"VAR d, INIT FROM 0 TO 1 NB_RANDOM 3+BOUNDS, EV = 0", zenta::model::RangeRandom, true, "0", "1", "3", 5, 3},
      {"VAR d, INIT DE 0 A 8 NB_VALEURS 3, VA = 0", zenta::model::RangeCount, false, "0", "8", "3", 3, 0, LangFrench},
      {"VAR d, INIT DE 0 A 8 NB_VALEUR 3, VA = 0", zenta::model::RangeCount, false, "0", "8", "3", 3, 0, LangFrench},
      {"VAR d, INIT DE 0 A 8 NB_HASARD 2 + BORNES, VA = 0", zenta::model::RangeRandom, true, "0", "8", "2", 4, 2,
       LangFrench},
  };
  for (const Range& r : ranges) {
    const vartest::Run got = run({r.statement}, r.language);
    ASSERT_EQ(got.recorded.size(), 1u) << r.statement;
    const VariableDescription& d = got.recorded.front();
    EXPECT_EQ(d.initForm, zenta::model::InitFromRange) << r.statement;
    EXPECT_TRUE(d.initFromPresent) << r.statement;
    EXPECT_EQ(d.rangeKind, r.kind) << r.statement;
    EXPECT_EQ(d.boundsFlag, r.bounds) << r.statement;
    EXPECT_EQ(d.rangeLow, r.low) << r.statement;
    EXPECT_EQ(d.rangeHigh, r.high) << r.statement;
    EXPECT_EQ(d.rangeStep, r.step) << r.statement;
    EXPECT_EQ(d.rangeValueCount, r.values) << r.statement;
    EXPECT_EQ(d.randomCount, r.random) << r.statement;
  }
}

TEST(VariableRecord, DeclaredTypes) {
  EXPECT_EQ(run({"VAR nowhere, unsigned short, INIT = 1, EV = 1"}).only().declaredType, "unsigned short");
  // 80 characters and more are not kept.
  const std::string longType(80, 'T');
  EXPECT_EQ(run({"VAR nowhere, " + longType + ", INIT = 1, EV = 1"}).only().declaredType, "");
  EXPECT_EQ(run({"VAR nowhere, " + longType.substr(1) + ", INIT = 1, EV = 1"}).only().declaredType,
            longType.substr(1));
  // Without a type of its own, a variable takes the one that the element
  // gave it before.
  const vartest::Run twice = run({"VAR z, float, INIT = 1, EV = 1", "VAR z, INIT = 2, EV = 2"});
  ASSERT_EQ(twice.recorded.size(), 2u);
  EXPECT_EQ(twice.recorded[1].declaredType, "float");
  // An unknown variable without a type is kept, untyped.
  const VariableDescription unknown = run({"VAR nowhere, INIT = 1, EV = 1"}).only();
  EXPECT_EQ(unknown.typeClass, -1);
  EXPECT_EQ(unknown.analyserFlags & zenta::model::FlagTyped, 0u);
}

TEST(VariableRecord, NamesAndComponents) {
  // Macros of the native code reach names and values.
  const VariableDescription m = run({"VAR VALUE_OF_I, INIT = LIMIT, EV = LIMIT + 1"}, LangEnglish,
                                    "#define VALUE_OF_I i\n#define LIMIT 4\n").only();
  EXPECT_EQ(m.variableText, "i");
  EXPECT_EQ(m.initText, "4");
  EXPECT_EQ(m.evText, "5");
  // A structure records its fields between its open and close records.
  const VariableDescription s = run({"STR origin, INIT = {1, 2}, EV = {3, 4}"}).only();
  EXPECT_EQ(s.statementKind, zenta::model::VariableStructured);
  EXPECT_EQ(s.typeClass, 8);
  ASSERT_EQ(s.components.size(), 4u);
  EXPECT_EQ(s.components[1].access, "origin.x");
  EXPECT_EQ(s.components[1].init, "1");
  EXPECT_EQ(s.components[2].ev, "4");
  // An ARRAY without bounds is given those of its declaration.
  const VariableDescription a = run({"ARRAY m, INIT = 0, EV = 0"}).only();
  EXPECT_EQ(a.variableText, "m[0..2][0..3]");
  EXPECT_EQ(a.statementKind, zenta::model::VariableArray);
  EXPECT_EQ(run({"ARRAY t[2..4], INIT = 0, EV = 0"}).only().variableText, "t[2..4]");
  // `*p` is analysed as `(*p)`.
  EXPECT_EQ(run({"VAR *p, INIT = 1, EV = 1"}).only().typeClass, 0);
}

TEST(VariableRecord, FaultyStatementsAreNotRecorded) {
  EXPECT_TRUE(run({"VAR i, INIT = 1"}).recorded.empty());               // an error
  EXPECT_EQ(run({"VAR i, EV = 1"}).recorded.size(), 1u);                 // a warning
  EXPECT_TRUE(run({"VAR fn, EV = 0"}).recorded.empty());                 // nothing to test
  EXPECT_TRUE(run({"VAR RED, INIT = 1, EV = 0"}).only().initText.empty());  // the INIT is dropped
  EXPECT_FALSE(run({"VAR RED, INIT = 1, EV = 0"}).only().initPresent);
}


// Long statements are read in one pass: empty pieces are skipped, and a
// count that goes on is cut after a few tries.
TEST(VariableHostile, LongStatements) {
  EXPECT_EQ(joined(run({"VAR i, INIT = 1, EV = 1" + std::string(10000, ',')}).codes()), "");
  std::string words;
  for (int k = 0; k < 5000; ++k) words += "a ";
  const vartest::Run r = run({"VAR i, INIT FROM 0 TO 1 NB_TIMES 2 " + words + ", EV = 1"});
  EXPECT_FALSE(r.codes().empty());
  EXPECT_TRUE(r.recorded.empty());
  const vartest::Run nested = run({"VAR i, INIT = " + std::string(5000, '(') + "1" + std::string(5000, ')') + ", EV = 1"});
  EXPECT_TRUE(nested.recorded.empty() || nested.recorded.size() == 1u);
}


// Variables that the script's native code declares, through the declaration
// analysis of the analyser.
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
    EXPECT_EQ(joined(r.codes()), c.expected) << c.statement;
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


// Variable statements inside whole scripts: the per-test limits and the
// variables met twice, which start again at every TEST; sequence mode; a
// false IF branch.
std::string codes(const std::vector<scripttest::Message>& ms) {
  std::string s;
  for (const auto& m : ms) s += std::string(1, m.severity) + ":" + m.code + " ";
  return s;
}

// A script of one service whose tests hold the given bodies, each in one
// element.
std::string script(const std::vector<std::string>& tests) {
  std::string s = "HEADER m, 1, x\nBEGIN\n#int i, j;\nSERVICE s\n";
  int n = 0;
  for (const std::string& body : tests)
    s += "TEST t" + std::to_string(++n) + "\nFAMILY f\nELEMENT\n" + body + "END ELEMENT\nEND FAMILY\nEND TEST\n";
  return s + "END SERVICE\n";
}

// `count` VAR statements on distinct variables, each with the qualifiers.
std::string variables(int count, const std::string& qualifiers) {
  std::string s;
  for (int k = 1; k <= count; ++k) s += "VAR v" + std::to_string(k) + ", int, " + qualifiers + "\n";
  return s;
}

TEST(VariableScripts, DynamicInitialisationsPerTest) {
  EXPECT_EQ(codes(scripttest::analyse(script({variables(8, "INIT IN (1, 2), EV = 0")}))), "");
  // The ninth of a test: INIT IN and INIT FROM count together.
  const auto ms = scripttest::analyse(
      script({variables(5, "INIT IN (1, 2), EV = 0") + "VAR w1, int, INIT FROM 0 TO 4 STEP 1, EV = 0\n" +
              "VAR w2, int, INIT FROM 0 TO 4 NB_TIMES 2, EV = 0\nVAR w3, int, INIT FROM 0 TO 4 NB_RANDOM 2, EV = 0\n" +
              "VAR w4, int, INIT IN (1, 2), EV = 0\n"}));
  EXPECT_EQ(codes(ms), "E:NBINITDYN ");
  ASSERT_EQ(ms.size(), 1u);
  EXPECT_NE(ms[0].text.find("w4"), std::string::npos);
  // Counted again from the next TEST.
  EXPECT_EQ(codes(scripttest::analyse(script({variables(8, "INIT IN (1, 2), EV = 0"),
                                              variables(8, "INIT IN (1, 2), EV = 0")}))),
            "");
}

TEST(VariableScripts, EvInChecksPerTest) {
  EXPECT_EQ(codes(scripttest::analyse(script({variables(64, "INIT = 0, EV IN (1, 2)")}))), "");
  EXPECT_EQ(codes(scripttest::analyse(script({variables(65, "INIT = 0, EV IN (1, 2)")}))), "E:NBVAINOVE ");
  EXPECT_EQ(codes(scripttest::analyse(script({variables(40, "INIT = 0, EV IN (1, 2)"),
                                              variables(40, "INIT = 0, EV IN (1, 2)")}))),
            "");
}

TEST(VariableScripts, VariablesMetTwicePerTest) {
  // Two elements of one test.
  EXPECT_EQ(codes(scripttest::analyse(script({"VAR i, INIT = 1, EV = 1\nEND ELEMENT\nELEMENT\nVAR i, INIT = 2, EV = 2\n"}))),
            "W:NOMVARDBL ");
  // Two tests.
  EXPECT_EQ(codes(scripttest::analyse(script({"VAR i, INIT = 1, EV = 1\n", "VAR i, INIT = 2, EV = 2\n"}))), "");
}

TEST(VariableScripts, SequenceModeAndFalseBranches) {
  EXPECT_EQ(codes(scripttest::analyse("HEADER m, 1, x\nBEGIN\n#int i, j;\nSEQUENCE\nSERVICE s\nTEST t\nFAMILY f\n"
                                      "VAR i, INIT = 1, EV = 1\nVAR j, INIT = 1, EV = 1\nEND FAMILY\nEND TEST\n"
                                      "END SERVICE\n")),
            "");
  // A statement of a false branch is kept without being analysed.
  EXPECT_EQ(codes(scripttest::analyse(script({"IF NOT_DEFINED_HERE\nVAR nowhere, INIT (\nEND IF\n"}))), "");
  // The statement in the true branch is.
  EXPECT_EQ(codes(scripttest::analyse(script({"IF ZENTA\nVAR i, INIT = 1\nEND IF\n"}))), "E:VAMIMAABS W:ELMT_VIDE ");
}

TEST(VariableScripts, FrenchScript) {
  scripttest::Options o;
  o.language = zenta::model::LangFrench;
  EXPECT_EQ(codes(scripttest::analyse("ENTETE m, 1, x\nDEBUT\n#int i, j;\nSERVICE s\nTEST t\nFAMILLE f\nELEMENT\n"
                                      "VAR i, INIT DANS (1, 2), VA DANS (3, 4)\n"
                                      "VAR j, INIT DE 0 A 9 NB_VALEURS 2, VA = 0\n"
                                      "FIN ELEMENT\nFIN FAMILLE\nFIN TEST\nFIN SERVICE\n",
                                      o)),
            "");
}

}  // namespace
