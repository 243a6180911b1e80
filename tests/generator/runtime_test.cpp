// The target package's runtime header: every call in the shapes the
// harness writes compiles without warnings as C++11 and C++20 with g++ and
// clang++, so does a file of the test's own built with the strictest
// warnings users set, both files record through the one runtime, the
// analyser's view of the header is plain, and each call writes the record
// documented for it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/testkit/process.h"

namespace {

const std::string kRuntimeDir = std::string(ZENTA_SOURCE_DIR) + "/target/lib";

// A program that makes every call of the runtime in the harness's shapes.
const char* const kProgram = R"(#include "TP.h"
#include <list>
#include <vector>
struct S { int a; };
int x = 4; unsigned u = 5; char c = 'b'; float f = 1.5f; double d = 2.5; long double ld = 3.5L;
char s[ZNU_STRING_SIZE]; int* p = 0; bool b = true; std::list<int> l; std::vector<int> v;
int J1, I1;
void unit_checks();
int main(int argc, char ** argv)
{
   ZNU_INIT_DATA
  zenta_run.OPF_CPP("t.rio");
  zenta_run.DCL_OP_CPP(1, "S");
  zenta_run.DCL_TST_CPP(2, "T");
  zenta_run.NUM_OPERATION = 1; zenta_run.NUM_TEST = 1;
  zenta_run.DCL_FAC_REP_CPP(3,2);
  zenta_run.DCL_FAC_REP_CPP(3,2);
  zenta_run.START_CHRONO_CPP();
  zenta_run.STOP_CHRONO_CPP();
  x = 3;
  zenta_run.PTU_INTEGER_CPP((long)(x),0+4,10);
  zenta_run.EDV_INTEGER_CPP(1,0,(long)(x),0+4,10, (long)((int)3), (long)((int)3));
  zenta_run.EDV_INTEGER_CPP(1,1,(long)(x),0+5,16, (long)((int)4), (long)((int)9));
  zenta_run.PTU_UNSIGNED_CPP((unsigned long)(u),0+6,2);
  zenta_run.EDV_UNSIGNED_CPP(1,0,(unsigned long)(u),0+6,2, (unsigned long)((unsigned)5), (unsigned long)((unsigned)5));
  zenta_run.PTU_BOOLEAN_CPP(b,0+7);
  zenta_run.PTU_CHAR_CPP((char)(c),0+8);
  zenta_run.EDV_CHAR_CPP(1,1,(char)(c),0+8,(char)('a'),(char)('c'));
  zenta_run.PTU_FLOAT_CPP((float)(f),0+9);
  zenta_run.EDV_FLOAT_CPP(1,0, (float)(f),0+9,(float)(1.5),(float)(1.5));
  zenta_run.PTU_DOUBLE_CPP((double)(d),0+10);
  zenta_run.EDV_DOUBLE_CPP(1,1, (double)(d),0+10,(double)((2.5) - (0.1)),(double)((2.5) + (0.1)));
  zenta_run.PTU_LONG_DOUBLE_CPP((long double)(ld),0+11);
  zenta_run.EDV_LONG_DOUBLE_CPP(0,0, (long double)(ld),0+11,(long double)(0),(long double)(0));
  zenta_run.INI_STR_CPP((char *)(s), 1, 0+12 , zenta_run.CONCAT_STR_CPP("ab","c",(char *)0));
  zenta_run.EDV_STR_CPP(1,0,(const char *)(s),0+12,zenta_run.CONCAT_STR_CPP("abc",(char *)0),zenta_run.CONCAT_STR_CPP("abc",(char *)0));
  zenta_run.EDV_STR_CPP(1,1,(const char *)(s),0+12,zenta_run.CONCAT_STR_CPP("abd",(char *)0),zenta_run.CONCAT_STR_CPP("abz",(char *)0));
  p = (int *)NIL;
  zenta_run.EDV_POINTER_CPP(1,0,(void*)(p),0+13,(void*)(NIL));
  zenta_run.EDV_POINTER_CPP(1,0,(void*)(&x),0+13,(void*)(NONIL));
  try {
  zenta_run.OPEN_BRA_CPP(14);
  zenta_run.SET_MODE_TAB_CPP(15);
  for( I1=0;I1 <= 1;++I1){
  v.push_back(ZENTA_INT(I1));
  }
  zenta_run.RUPT_CPP(1);
  zenta_run.UNSET_MODE_TAB_CPP(15);
  zenta_run.SET_MODE_CST_CPP(16);
  zenta_run.UNSET_MODE_CST_CPP(16);
  zenta_run.CLOSE_BRA_CPP(14);
  } catch (...) {
  zenta_run.ERV_CPP(14);
  }
   ZNW_LST_CLEAR(l);
   ZNW_LST_INSERT_BEGIN(l, 2);
   ZNW_LST_INSERT_BEGIN(l, 1);
 if (ZNW_LST_EMPTY(l)) {
  zenta_run.EDV_LST_ITEM_NOT_FOUND_CPP("1" ,17);
 }
 else {
   zenta_run.EDV_LST_TEST_ITEM_CPP("1",
     ZNW_LST_COMPARE(ZNW_LST_FRONT(l), (1)),17) ;
   ZNW_LST_ERASE_BEGIN(l);
 }
 if (!ZNW_LST_EMPTY(l)) {
  zenta_run.EDV_LST_ITEM_NOT_EXPECTED_CPP(17);
 }
   ZNW_LST_CLEAR(l);
  zenta_run.EDV_CHRONO_MUET_CPP(1,0,J1+1);
  S* e1 = new S(); S caught = {7};
  ZNW_EXCEP_REFCPY(e1, caught);
  S* pc = &caught;
  ZNW_EXCEP_PTRCPY(e1, pc);
  delete e1;
  zenta_run.EXCEP_CPP(5,"S");
  zenta_run.EXCEP_CPP(6,"S");
  zenta_run.EXCEP_CPP(2);
  unit_checks();
  ZNU_END_TEST_CPP();
  zenta_run.EXCEP_CPP(0);
  zenta_run.CLF_CPP("t.rio");
#ifdef NOVA_MAIN_RETURN
 NOVA_MAIN_RETURN
#else
 return(0);
#endif
}
ZNU_TRACES_FILE("t.rio")
)";

// A file of the test's own, as a stub file or a helper is written: modern
// C++ that uses every macro the header offers outside main.
const char* const kUnit = R"(#include "TP.h"
#include <climits>
#include <vector>
struct E { int code; };
void unit_checks() {
  int value = 7;
  int* none = NIL;
  zenta_run.EDV_POINTER_CPP(1, 0, none, 20, NIL);
  zenta_run.EDV_POINTER_CPP(1, 0, &value, 21, NONIL);
  std::vector<int> items(1, ZENTA_INT(2.5));
  ZNW_LST_INSERT_BEGIN(items, 1);
  zenta_run.EDV_LST_TEST_ITEM_CPP("1", ZNW_LST_COMPARE(ZNW_LST_FRONT(items), 1), 22);
  ZNW_LST_ERASE_BEGIN(items);
  zenta_run.EDV_INTEGER_CPP(1, 0, ZNW_LST_FRONT(items), 23, 10, 2, 2);
  ZNW_LST_CLEAR(items);
  if (!ZNW_LST_EMPTY(items)) zenta_run.EDV_LST_ITEM_NOT_EXPECTED_CPP(22);
  E caught = {3};
  E* thrown = &caught;
  E* kept = new E();
  ZNW_EXCEP_REFCPY(kept, caught);
  ZNW_EXCEP_PTRCPY(kept, thrown);
  zenta_run.EDV_INTEGER_CPP(1, 0, kept->code, 24, 10, 3, 3);
  delete kept;
  zenta_run.EDV_INTEGER_CPP(0, 0, LONG_MIN, 25, 16, 0, 0);
  zenta_run.EDV_UNSIGNED_CPP(0, 0, ULONG_MAX, 26, 2, 0, 0);
  char text[ZNU_STRING_SIZE];
  zenta_run.INI_STR_CPP(text, 1, 27, zenta_run.CONCAT_STR_CPP("a", "b", static_cast<const char*>(nullptr)));
}
ZNU_TRACES_FILE("t.rio")
)";

// Each file with the warnings it is built with: the harness's shapes carry
// C casts and 0 as the null pointer by design; the test's own file gets the
// full set.
struct Unit {
  const char* name;
  const char* source;
  std::vector<std::string> flags;
};
const Unit kUnits[] = {
    {"t", kProgram, {"-Wall", "-Wextra", "-Wpedantic", "-Wformat=2", "-Werror"}},
    {"unit", kUnit,
     {"-Wall", "-Wextra", "-Wpedantic", "-Wold-style-cast", "-Wzero-as-null-pointer-constant", "-Wformat=2",
      "-Werror"}},
};

// A sanitized build of the tests builds the runtime the same way.
#ifdef __SANITIZE_ADDRESS__
const std::vector<std::string> kSanitize = {"-fsanitize=address,undefined", "-fno-sanitize-recover=undefined"};
#else
const std::vector<std::string> kSanitize;
#endif

class RuntimeTest : public ::testing::TestWithParam<std::pair<std::string, std::string>> {
 protected:
  testkit::ScratchDir dir_;
};

TEST_P(RuntimeTest, EveryCallCompilesCleanlyAndRecords) {
  const auto [compiler, standard] = GetParam();
  const std::string cxx = "/usr/bin/" + compiler;
  std::vector<std::string> link = kSanitize;
  link.insert(link.begin(), {cxx, "-o", dir_.file("t.exe")});
  for (const Unit& unit : kUnits) {
    const std::string name = std::string(unit.name) + ".cc", source = dir_.file(name);
    dir_.write(name, unit.source);
    std::vector<std::string> argv = unit.flags;
    argv.insert(argv.end(), kSanitize.begin(), kSanitize.end());
    argv.insert(argv.begin(), {cxx, "-std=" + standard, "-I", kRuntimeDir, "-c", source, "-o", source + ".o"});
    const testkit::Result build = testkit::run(argv);
    ASSERT_EQ(build.status, 0) << unit.name << "\n" << build.err;
    link.push_back(source + ".o");
  }
  const testkit::Result linked = testkit::run(link);
  ASSERT_EQ(linked.status, 0) << linked.err;
  const testkit::Result r = testkit::run({dir_.file("t.exe")}, {{"ZENTA_RESULTS", {}}}, dir_.path().string());
  // Six verdicts fail on purpose: an integer out of its range, a string
  // below its range, the list's extra item, an expected exception not
  // raised, an unexpected one and one that escaped the service. The long double is only recorded. The
  // second file adds five passed verdicts.
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(r.out, "zenta: 21 checks, 15 passed, 6 failed\n");
  const std::string rio = dir_.read("t.rio");
  const std::vector<std::string> expected = {
      "ZRIO 1\n",
      "OP 1 \"S\"\n",
      "TS 2 \"T\"\n",
      "REP 3 2\nCHRONO 2 ",
      "INIT 4 integer 3\nCHECK 4 PASS integer 3 3\n",
      "CHECK 5 FAIL integer 0x3 0x4 0x9\n",
      "INIT 6 unsigned 0b101\nCHECK 6 PASS unsigned 0b101 0b101\n",
      "INIT 7 boolean true\n",
      "INIT 8 char \"b\"\nCHECK 8 PASS char \"b\" \"a\" \"c\"\n",
      "INIT 9 float 1.5\nCHECK 9 PASS float 1.5 1.5\n",
      "CHECK 10 PASS double 2.5 ",
      "CHECK 11 EDIT longdouble 3.5 0\n",
      "INIT 12 string \"abc\"\nCHECK 12 PASS string \"abc\" \"abc\"\n",
      "CHECK 12 FAIL string \"abc\" \"abd\" \"abz\"\n",
      "CHECK 13 PASS pointer NIL NIL\n",
      "CHECK 13 PASS pointer ",
      "BRA 14 OPEN\nTAB 15 OPEN\nRUPT 1\nTAB 15 CLOSE\nCST 16 OPEN\nCST 16 CLOSE\nBRA 14 CLOSE\n",
      "LIST 17 PASS ITEM \"1\"\nLIST 17 FAIL UNEXPECTED\n",
      "STUB 1 1\n",
      "EXCEP 2 FAIL 5 \"S\"\nEXCEP 2 PASS 6 \"S\"\nEXCEP 2 FAIL 2\n",
      "CHECK 20 PASS pointer NIL NIL\nCHECK 21 PASS pointer ",
      " NONIL\nLIST 22 PASS ITEM \"1\"\nCHECK 23 PASS integer 2 2\nCHECK 24 PASS integer 3 3\n",
      // Integers travel as 64-bit long and unsigned long, whole.
      "CHECK 25 EDIT integer -0x8000000000000000 0x0\n",
      "CHECK 26 EDIT unsigned 0b" + std::string(64, '1') + " 0b0\n",
      "INIT 27 string \"ab\"\n",
      // An exception that escapes a service, after its test ended.
      "EXCEP 1 FAIL 0\n",
  };
  std::size_t at = 0;
  for (const std::string& e : expected) {
    const std::size_t found = rio.find(e, at);
    ASSERT_NE(found, std::string::npos) << "missing in order: " << e << "\n" << rio;
    at = found + e.size();
  }
  EXPECT_EQ(rio.substr(rio.rfind("END ")), "END 21 15 6\n");
}

INSTANTIATE_TEST_SUITE_P(Compilers, RuntimeTest,
                         ::testing::Values(std::make_pair(std::string("g++"), std::string("c++11")),
                                           std::make_pair(std::string("g++"), std::string("c++20")),
                                           std::make_pair(std::string("clang++"), std::string("c++11")),
                                           std::make_pair(std::string("clang++"), std::string("c++20"))),
                         [](const auto& info) {
                           std::string name = info.param.first + "_" + info.param.second;
                           for (char& c : name)
                             if (c == '+') c = 'p';
                           return name;
                         });

TEST(RuntimeAnalyserView, WithZentaDefinedOnlyPlainDeclarationsRemain) {
  const testkit::Result r = testkit::run(
      {"/usr/bin/g++", "-E", "-P", "-DZENTA", "-x", "c++", kRuntimeDir + "/TP.h"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("template"), std::string::npos);
  EXPECT_EQ(r.out.find("namespace"), std::string::npos);
  EXPECT_EQ(r.out.find("#include"), std::string::npos);
  EXPECT_NE(r.out.find("extern ZentaRuntimeAnalysed zenta_run;"), std::string::npos) << r.out;
  // Small enough for the analyser to read at every script.
  EXPECT_LT(r.out.size(), 400u) << r.out;
}

}  // namespace
