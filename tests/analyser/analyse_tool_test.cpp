// zentacpp -analyse: the declaration analysis of real headers, each with no
// message and exit status 0; the dump of -dump; and -expr, expressions typed
// at file scope after the declaration analysis of the input, one
// tab-separated line each.
#include <gtest/gtest.h>

#include <algorithm>
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

// Expressions typed with the staged standard definitions (64-bit long),
// first those that need no declaration.
const ExprLine kLines[] = {
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
    // After the declarations of the input: the C type text keeps typedef
    // names, an array of char is a string without C type text.
    {"r.name", "r.name\t4\tchaine\t\t-32"}, {"r.flags", "r.flags\t0\tunsigned\tBYTE\t8"},
    {"pr->vals", "pr->vals\t6\tpointeur\tdouble *\t-32"}, {"r.tab[1]", "r.tab[1]\t6\tpointeur\tint [2]\t-32"},
    {"r.tab[1][0]", "r.tab[1][0]\t0\tentier\tint\t-32"}, {"col", "col\t0\tentier\tcolor\t-32"},
    {"GREEN + 1", "GREEN+1\t0\tentier\tint\t-32"}, {"fp", "fp\t6\tpointeur\tint (*)(int)\t-32"},
    {"fp(1)", "fp(1)\t0\tentier\tint\t-32"}, {"r.next->name[0]", "r.next->name[0]\t2\tcaractere\tchar\t-8"},
    {"r", "r\t8\t\t\t-32"}, {"ns::counter", "ns::counter\t0\tentier\tlong\t-64"},
    {"(BYTE)1", "(BYTE)1\t0\tunsigned\tBYTE\t8"}, {"&r", "&r\t6\tpointeur\trec *\t-32"},
};

TEST_F(AnalyseTool, ExpressionLines) {
  std::vector<std::string> args = {"-analyse"};
  for (const ExprLine& e : kLines) args.insert(args.end(), {"-expr", e.text});
  args.insert(args.end(), {"-expr", "r.nothing", "-"});
  const testkit::Result r = zentacpp(args,
                                     "typedef unsigned char BYTE;\n"
                                     "struct rec { char name[8]; BYTE flags; double *vals; int tab[3][2];\n"
                                     "             struct rec *next; };\n"
                                     "struct rec r, *pr;\n"
                                     "enum color { RED, GREEN } col;\n"
                                     "int (*fp)(int);\n"
                                     "namespace ns { long counter; }\n");
  EXPECT_EQ(r.status, 3) << r.err;
  const std::string unknown = "[-expr:" + std::to_string(std::size(kLines) + 1) + "] Unknown field r.nothing";
  EXPECT_NE(r.err.find("CHAMPINCO,  " + unknown), std::string::npos) << r.err;
  const std::vector<std::string> lines = outputLines(r.out);
  ASSERT_EQ(lines.size(), std::size(kLines) + 1) << r.out;
  for (std::size_t i = 0; i < std::size(kLines); ++i) EXPECT_EQ(lines[i], kLines[i].line) << kLines[i].text;
  EXPECT_EQ(lines.back(), "r.nothing\t-");
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

// Each header of /usr/include that gcc accepts alone. <tgmath.h> stops the
// preprocessor with its own #error for a compiler that is not GNU.
TEST_F(AnalyseTool, EveryCHeaderThatGccAccepts) {
  if (!std::filesystem::exists("/usr/include/stdio.h")) GTEST_SKIP() << "no /usr/include";
  testkit::ScratchDir d;
  int analysed = 0;
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator("/usr/include"))
    if (e.path().extension() == ".h" && e.is_regular_file()) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  for (const std::string& h : names) {
    if (h == "tgmath.h") continue;
    d.write("h.c", "#include <" + h + ">\n");
    if (testkit::run({"/usr/bin/gcc", "-fsyntax-only", d.file("h.c")}).status != 0) continue;
    ++analysed;
    testkit::Result r = zentacpp({"-analyse", d.file("h.c")});
    EXPECT_EQ(r.status, 0) << h << "\n" << r.err.substr(0, 2000);
  }
  EXPECT_GT(analysed, 50);
}

TEST_F(AnalyseTool, DumpAndMessagesOfTheTool) {
  testkit::Result r = zentacpp({"-analyse", "-dump", "-"},
                               "namespace inv { class Registry { public: void add(int); }; }\n"
                               "struct z_stream_s { char *next_in; };\nint x; double x;\n");
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("REDEFSYMB"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("method\tinv::Registry::add\t1\tvoid add(int)\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("field\tz_stream_s::next_in\t-\tchar *next_in\n"), std::string::npos) << r.out;
  // -analyse alone prints no declaration and no preprocessed text.
  r = zentacpp({"-analyse", "-"}, "int y;\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  r = zentacpp({"-analyse", "-"}, "int f(\n");
  EXPECT_EQ(r.status, 5) << r.err;
  EXPECT_NE(r.err.find("UNEXP_EOF"), std::string::npos) << r.err;
}

}  // namespace
