// Variable statements: every message with its argument, each qualifier form
// and French word, the order of the consistency checks, structured and array
// variables, and what a statement records.
#include <gtest/gtest.h>

#include <map>

#include "tests/testkit/fields.h"
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
      {"structure with MIN and MAX", {"STRUCTURE origin, INIT = {1, 2}, MIN = {0, 0}, MAX = {3, 3}"}, {"E:AUTOSTRUC"}},
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
      {"EV IN of another count than the range", {"VAR i, INIT FROM 0 TO 9 NB_TIMES 3, EV IN (1, 2)"}, {"E:VAINIT_IN"}},

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

// The fields of a description that the generator reads, as "key:value".
std::map<std::string, std::string> fields(const VariableDescription& d) {
  const char* const ev[] = {"", "plain", "==", "=>", "in", "linked in", "linked with"};
  const char* const range[] = {"none", "step", "count", "random"};
  const char* const kind[] = {"scalar", "array", "structured"};
  const char* const delta[] = {"", "%", "abs "};
  std::map<std::string, std::string> f = {
      {"var", d.variableText},
      {"init", d.initPresent ? (d.initDoubleEqual ? "==" : "") + d.initText : "-"},
      {"ev", d.evPresent ? d.evText : "-"},
      {"evKind", ev[d.evKind]},
      {"delta", delta[d.deltaKind] + d.deltaText},
      {"class", std::to_string(d.typeClass)},
      {"word", d.classWord},
      {"c", d.cType},
      {"typed", std::to_string(d.analyserFlags & zenta::model::FlagTyped)},
      {"tested", std::to_string((d.analyserFlags & zenta::model::FlagTested) != 0)},
      {"kind", kind[d.statementKind]},
      {"initIn", d.initForm == zenta::model::InitInList ? std::to_string(d.initListCount) : "-"},
      {"evCount", std::to_string(d.evListCount)},
      {"evIn", d.evInList},
      {"evArrow", d.evArrowText},
      {"evLink", d.evLinkText + " " + d.evWithText},
      {"declared", d.declaredType},
      {"range", "none"},
  };
  if (d.initForm == zenta::model::InitFromRange && d.initFromPresent)
    f["range"] = std::string(range[d.rangeKind]) + " " + d.rangeLow + ".." + d.rangeHigh + " " + d.rangeStep + " n" +
                 std::to_string(d.rangeValueCount) + " r" + std::to_string(d.randomCount) +
                 (d.boundsFlag ? " +bounds" : "");
  return f;
}

const char* kDeclarations =
    "typedef unsigned char BYTE;\nint counter;\nconst int limit = 3;\ndouble ratio;\nBYTE flags;\nchar *name;\n"
    "struct pt { int x; int y; } where;\nint table[4];\nint *cursor;\nenum mode { OFF, ON } state;\n";

struct RecordCase {
  std::vector<std::string> lines;
  std::string fields;  // "key:value|...", of the last variable recorded; empty: nothing recorded
  std::string codes = "";
  int language = LangEnglish;
  const char* native = "";
};

// What a statement records.
TEST(VariableRecord, Fields) {
  const std::string longType(80, 'T');
  const std::string macros = "#define VALUE_OF_I i\n#define LIMIT 4\n";
  const std::vector<RecordCase> cases = {
      // Constant expressions are evaluated; script notations are written as their value.
      {{"VAR i, INIT = 1 + 2, EV = 0FFh, DELTA = 5%"},
       "var:i|init:3|ev:255|delta:%5|class:0|word:entier|c:int|typed:1|tested:1|kind:scalar|range:none"},
      {{"VAR f, INIT = 1, EV = 2, DELTA = 0.5"}, "delta:abs 0.5"},
      {{"VAR i, INIT == 4, EV == ignored"}, "init:==4|evKind:==|ev:", "I:IGNEXPRES "},
      {{"VAR i, INIT = 0, EV => 7"}, "evKind:=>|evArrow:7"},
      {{"VAR i, INIT IN (1, 2, 3), EV IN {4, 5, 6}"}, "initIn:3|init:(1, 2, 3)|evKind:in|evCount:3|evIn:{4, 5, 6}"},
      {{"VAR i, INIT IN (1, 2), EV = 0", "VAR j, INIT = 0, EV (i) WITH (2 * 3, 4)"},
       "var:j|evKind:linked with|evLink:i (6, 4)|evCount:2"},
      // Ranges.
      {{"VAR i, INIT FROM 0 TO 10 STEP 5, EV = 0"}, "range:step 0..10 5 n0 r0"},
      {{"VAR d, INIT FROM 0 TO 1 NB_TIMES 5, EV = 0"}, "range:count 0..1 5 n5 r0"},
      {{"VAR d, INIT FROM 0 TO 1 NB_VALUE 4, EV = 0"}, "range:count 0..1 4 n4 r0"},
      {{"VAR d, INIT FROM 0 TO 1 NB_TIMES 1, EV = 0"}, "range:count 0..1 1 n0 r0"},
      {{"VAR d, INIT FROM -1 TO 1 NB_RANDOM 3, EV = 0"}, "range:random -1..1 3 n3 r3"},
      {{"VAR d, INIT FROM 0 TO 1 NB_RANDOM 3 +BOUNDS, EV = 0"}, "range:random 0..1 3 n5 r3 +bounds"},
      {{"VAR d, INIT FROM 0 TO 1 NB_RANDOM 3+BOUNDS, EV = 0"}, "range:random 0..1 3 n5 r3 +bounds"},
      {{"VAR d, INIT FROM 0 TO 1 NB_RANDOM 300, EV = 0"}, "range:random 0..1 10 n10 r10", "E:VALUEINCO "},
      {{"VAR d, INIT FROM 0 TO 1 NB_RANDOM j, EV = 0"}, "range:random 0..1 j n0 r0"},
      {{"VAR d, INIT DE 0 A 8 INCREMENT 2, VA = 0"}, "range:step 0..8 2 n0 r0", "", LangFrench},
      {{"VAR d, INIT DE 0 A 8 NB_VALEURS 3, VA = 0"}, "range:count 0..8 3 n3 r0", "", LangFrench},
      {{"VAR d, INIT DE 0 A 8 NB_VALEUR 3, VA = 0"}, "range:count 0..8 3 n3 r0", "", LangFrench},
      {{"VAR d, INIT DE 0 A 8 NB_HASARD 2 + BORNES, VA = 0"}, "range:random 0..8 2 n4 r2 +bounds", "", LangFrench},
      // Declared types: fewer than 80 characters kept; without a type of its
      // own a variable takes the one the element gave it before; an unknown
      // variable without a type is kept, untyped.
      {{"VAR nowhere, unsigned short, INIT = 1, EV = 1"}, "declared:unsigned short"},
      {{"VAR nowhere, " + longType + ", INIT = 1, EV = 1"}, "declared:", "W:IDENTIINC "},
      {{"VAR nowhere, " + longType.substr(1) + ", INIT = 1, EV = 1"}, "declared:" + longType.substr(1)},
      {{"VAR z, float, INIT = 1, EV = 1", "VAR z, INIT = 2, EV = 2"}, "declared:float", "W:NOMVARDBL "},
      {{"VAR nowhere, INIT = 1, EV = 1"}, "class:-1|typed:0", "W:IDENTIINC "},
      // Names: macros of the native code reach names and values; an ARRAY
      // without bounds is given those of its declaration; `*p` is `(*p)`.
      {{"VAR VALUE_OF_I, INIT = LIMIT, EV = LIMIT + 1"}, "var:i|init:4|ev:5", "", LangEnglish, macros.c_str()},
      {{"ARRAY m, INIT = 0, EV = 0"}, "var:m[0..2][0..3]|kind:array"},
      {{"ARRAY t[2..4], INIT = 0, EV = 0"}, "var:t[2..4]"},
      {{"VAR *p, INIT = 1, EV = 1"}, "class:0"},
      // Faulty statements: an error or nothing to test records nothing; a
      // warning records; an enumerator's INIT is dropped.
      {{"VAR i, INIT = 1"}, "", "E:VAMIMAABS "},
      {{"VAR i, EV = 1"}, "init:-", "W:INITABSEN "},
      {{"VAR fn, EV = 0"}, "", "W:VARNOTEST "},
      {{"VAR RED, INIT = 1, EV = 0"}, "init:-", "W:NOMVARINC "},
      // Variables the script's native code declares.
      {{"VAR counter, INIT = 1, EV = 2"}, "class:0|c:int", "", LangEnglish, kDeclarations},
      {{"VAR ratio, INIT FROM 0 TO 1 NB_TIMES 3, EV = 0, DELTA = 10%"}, "class:3|c:double", "", LangEnglish, kDeclarations},
      {{"VAR flags, INIT = 0FFh, EV = 255"}, "class:0|c:BYTE", "", LangEnglish, kDeclarations},
      {{"VAR name, INIT = \"ab\", EV = \"ab\", DELTA = 1"}, "", "E:MINMAXDEL ", LangEnglish, kDeclarations},
      {{"VAR limit, INIT = 2, EV = 3"}, "class:0|c:int", "W:CONSTINIT ", LangEnglish, kDeclarations},
      {{"VAR limit, EV = 3"}, "class:0|c:int", "", LangEnglish, kDeclarations},
      {{"VAR cursor, INIT FROM 0 TO 4 STEP 1, EV = 0"}, "", "E:TYPEIFROM ", LangEnglish, kDeclarations},
      {{"VAR ON, INIT = 1, EV = 1"}, "class:0|c:mode", "W:NOMVARINC ", LangEnglish, kDeclarations},
      {{"VAR where.x, INIT = 1, MIN = 0, MAX = 2"}, "class:0|c:int", "", LangEnglish, kDeclarations},
      {{"STR where, INIT = {1, 2}, EV = {1, 2}"}, "class:8|kind:structured", "", LangEnglish, kDeclarations},
      {{"ARRAY table, INIT = 0, EV = 0"}, "class:0|c:int|var:table[0..3]", "", LangEnglish, kDeclarations},
      {{"VAR *cursor, INIT = 1, EV = 1"}, "class:0|c:int", "", LangEnglish, kDeclarations},
  };
  for (const RecordCase& c : cases) {
    SCOPED_TRACE(c.lines.back());
    const vartest::Run r = run(c.lines, c.language, c.native);
    EXPECT_EQ(joined(r.codes()), c.codes);
    if (c.fields.empty()) {
      EXPECT_TRUE(r.recorded.empty());
      continue;
    }
    ASSERT_EQ(r.recorded.size(), c.lines.size());
    testkit::expectFields(fields(r.recorded.back()), c.fields);
  }
  // A structure records its fields between its open and close records.
  const VariableDescription s = run({"STR origin, INIT = {1, 2}, EV = {3, 4}"}).only();
  ASSERT_EQ(s.components.size(), 4u);
  EXPECT_EQ(s.components[1].access, "origin.x");
  EXPECT_EQ(s.components[1].init, "1");
  EXPECT_EQ(s.components[2].ev, "4");
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
