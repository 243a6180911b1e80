// zentacpp -analyse -expr: expressions typed at file scope after the
// declaration analysis of the input, one tab-separated line each.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/analyser/zentacpp_support.h"

namespace {

using zentacpptest::outputLines;
using zentacpptest::zentacpp;

class AnalyseTool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(testkit::stageBin("zentacpp"))) GTEST_SKIP() << "zentacpp is not built";
  }
};

struct ExprLine {
  const char* text;
  const char* line;  // image, class, word, C type, size
};

// Expressions that need no declaration, typed with the staged standard
// definitions (64-bit long).
const ExprLine kConstantLines[] = {
    {"1+2", "3\t0\tentier\tint\t-32"}, {"(10)-1", "9\t0\tentier\tint\t-32"},
    {"'a'", "'a'\t2\tcaractere\tchar\t-8"}, {"'\\033'", "'\\033'\t2\tcaractere\tchar\t-8"},
    {"1.5", "1.5\t3\tdouble\tdouble\t-32"}, {"1.5f", "1.5f\t3\tfloat\tfloat\t-32"},
    {"3.0L * 2", "3.0L*2\t3\tlongdouble\tlong double\t-32"}, {"10u", "10u\t0\tunsigned\tunsigned\t32"},
    {"10L", "10L\t0\tentier\tlong\t-64"}, {"10UL", "10UL\t0\tunsigned\tunsigned long\t64"},
    {"sizeof(int)", "sizeof(int)\t0\tunsigned\tunsigned long\t64"},
    {"(unsigned char)1", "(unsigned char)1\t0\tunsigned\tunsigned char\t8"},
    {"(signed char)1", "(signed char)1\t2\tcaractere\tsigned char\t-8"},
    {"(short)1", "(short)1\t0\tentier\tshort\t-16"}, {"\"abc\"", "\"abc\"\t4\tchaine\tchar *\t-32"},
    {"(char *)0", "(char *)0\t4\tchaine\tchar *\t-32"}, {"(void *)0", "(void *)0\t6\tpointeur\tvoid *\t-32"},
    {"(int *)0 + 1", "(int *)0+1\t6\tpointeur\tint *\t-32"}, {"1 < 2.5", "1<2.5\t0\tentier\tint\t-32"},
    {"1 ? 2.5 : 3.5", "(1?2.5:3.5)\t3\tdouble\tdouble\t-32"},
};

TEST_F(AnalyseTool, ExpressionsWithoutDeclarations) {
  std::vector<std::string> args = {"-analyse"};
  for (const ExprLine& e : kConstantLines) {
    args.push_back("-expr");
    args.push_back(e.text);
  }
  args.push_back("-");
  const testkit::Result r = zentacpp(args, "\n");
  EXPECT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = outputLines(r.out);
  ASSERT_EQ(lines.size(), std::size(kConstantLines)) << r.out;
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], kConstantLines[i].line) << kConstantLines[i].text;
}

TEST_F(AnalyseTool, FaultsPrintTheTextAndADash) {
  const testkit::Result r =
      zentacpp({"-analyse", "-expr", "nowhere", "-expr", "a = 1", "-expr", "2", "-expr", "1 +", "-"}, "\n");
  EXPECT_EQ(r.status, 5) << r.err;  // the incomplete text is an error
  EXPECT_EQ(r.out, "nowhere\t-\na = 1\t-\n2\t0\tentier\tint\t-32\n1 +\t-\n");
  EXPECT_NE(r.err.find("[-expr:1] Unknown ident nowhere"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("AFFECTATI,  [-expr:2]"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("UNEXP_EOF,  [-expr:4]"), std::string::npos) << r.err;

  const testkit::Result warned = zentacpp({"-analyse", "-expr", "i++", "-"}, "\n");
  EXPECT_EQ(warned.status, 3);
  EXPECT_EQ(warned.out, "i++\t-\n");
}

// After the declarations of the input: the C type text keeps typedef names,
// an array of char is a string without C type text.
const ExprLine kDeclaredLines[] = {
    {"r.name", "r.name\t4\tchaine\t\t-32"}, {"r.flags", "r.flags\t0\tunsigned\tBYTE\t8"},
    {"pr->vals", "pr->vals\t6\tpointeur\tdouble *\t-32"}, {"r.tab[1]", "r.tab[1]\t6\tpointeur\tint [2]\t-32"},
    {"r.tab[1][0]", "r.tab[1][0]\t0\tentier\tint\t-32"}, {"col", "col\t0\tentier\tcolor\t-32"},
    {"GREEN + 1", "GREEN+1\t0\tentier\tint\t-32"}, {"fp", "fp\t6\tpointeur\tint (*)(int)\t-32"},
    {"fp(1)", "fp(1)\t0\tentier\tint\t-32"}, {"r.next->name[0]", "r.next->name[0]\t2\tcaractere\tchar\t-8"},
    {"r", "r\t8\t\t\t-32"}, {"ns::counter", "ns::counter\t0\tentier\tlong\t-64"},
    {"(BYTE)1", "(BYTE)1\t0\tunsigned\tBYTE\t8"}, {"&r", "&r\t6\tpointeur\trec *\t-32"},
};

TEST_F(AnalyseTool, ExpressionsOverTheDeclarationsOfTheInput) {
  std::vector<std::string> args = {"-analyse"};
  for (const ExprLine& e : kDeclaredLines) {
    args.push_back("-expr");
    args.push_back(e.text);
  }
  args.push_back("-expr");
  args.push_back("r.nothing");
  args.push_back("-");
  const testkit::Result r = zentacpp(args,
                                     "typedef unsigned char BYTE;\n"
                                     "struct rec { char name[8]; BYTE flags; double *vals; int tab[3][2];\n"
                                     "             struct rec *next; };\n"
                                     "struct rec r, *pr;\n"
                                     "enum color { RED, GREEN } col;\n"
                                     "int (*fp)(int);\n"
                                     "namespace ns { long counter; }\n");
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("CHAMPINCO,  [-expr:15] Unknown field r.nothing"), std::string::npos) << r.err;
  const std::vector<std::string> lines = outputLines(r.out);
  ASSERT_EQ(lines.size(), std::size(kDeclaredLines) + 1) << r.out;
  for (std::size_t i = 0; i < std::size(kDeclaredLines); ++i)
    EXPECT_EQ(lines[i], kDeclaredLines[i].line) << kDeclaredLines[i].text;
  EXPECT_EQ(lines.back(), "r.nothing\t-");
}

// A typedef of a class template's body cannot be named without the template's
// arguments: the C type text, which the harness writes in casts, names what it
// stands for.
TEST_F(AnalyseTool, MembersOfTemplateInstancesHaveNameableTypes) {
  const testkit::Result r = zentacpp({"-analyse", "-expr", "b.item", "-expr", "b.count()", "-expr", "v.size()", "-"},
                                     "#include <vector>\n"
                                     "template <class T> struct Box { typedef unsigned long count_type; T item;\n"
                                     "  count_type count() const; };\n"
                                     "Box<double> b;\nstd::vector<int> v;\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(outputLines(r.out), (std::vector<std::string>{"b.item\t3\tdouble\tdouble\t-32",
                                                          "b.count()\t0\tunsigned\tunsigned long\t64",
                                                          "v.size()\t0\tunsigned\tstd::size_t\t64"}));
}

TEST_F(AnalyseTool, AnalysePrintsNoText) {
  const testkit::Result r = zentacpp({"-analyse", "-"}, "#define X int\nX x;\n");
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(zentacpptest::messageLines(r.err).empty()) << r.err;
}

}  // namespace
