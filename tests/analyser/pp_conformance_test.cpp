// Conformance: the corpus in data/pp gives, token by token (blanks and line
// markers ignored), what the host's `gcc -E -P -undef -nostdinc` gives. The
// places where this preprocessor deliberately differs are tests of their own
// below, each showing the difference against gcc.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "pp_support.h"
#include "pp_tokens.h"
#include "tests/testkit/process.h"

using namespace pptest;
using pptest::difference;
using pptest::join;
using pptest::tokens;
namespace fs = std::filesystem;

namespace {

const char* const kGcc = "/usr/bin/gcc";

std::string corpus() { return std::string(ZENTA_TEST_DATA) + "/pp"; }

std::string gccOutput(const std::vector<std::string>& options, const std::string& file,
                      const std::string& input = {}) {
  std::vector<std::string> argv = {kGcc, "-E", "-P", "-undef", "-nostdinc"};
  argv.insert(argv.end(), options.begin(), options.end());
  argv.push_back(file);
  testkit::Result r = testkit::run(argv, {}, corpus(), input);
  EXPECT_EQ(r.status, 0) << r.err;
  return r.out;
}

// Header comment lines: "// args: ..." and "// expect: CODE ...".
std::vector<std::string> header(const std::string& text, const std::string& key) {
  std::vector<std::string> r;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line) && line.rfind("//", 0) == 0) {
    std::string tag = "// " + key + ":";
    if (line.rfind(tag, 0) != 0) continue;
    std::istringstream words(line.substr(tag.size()));
    std::string w;
    while (words >> w) r.push_back(w);
  }
  return r;
}

std::vector<std::string> corpusFiles() {
  std::vector<std::string> r;
  for (const auto& e : fs::directory_iterator(corpus()))
    if (e.path().extension() == ".c") r.push_back(e.path().filename().string());
  std::sort(r.begin(), r.end());
  return r;
}

class Corpus : public ::testing::TestWithParam<std::string> {};

TEST_P(Corpus, SameTokensAsGcc) {
  if (!fs::exists(kGcc)) GTEST_SKIP() << "no gcc on this host";
  const std::string name = GetParam();
  const std::string path = corpus() + "/" + name;
  const std::string text = testkit::ScratchDir::slurp(path);
  std::vector<std::string> args = header(text, "args");
  std::vector<std::string> dirs;
  for (const auto& a : args)
    if (a.rfind("-I", 0) == 0) dirs.push_back(corpus() + "/" + a.substr(2));
  fresh({}, dirs);
  std::string ours = run(text, path);
  std::string theirs = gccOutput(args, name);
  auto a = tokens(ours), b = tokens(theirs);
  EXPECT_TRUE(a == b) << name << " " << difference(a, b);
  EXPECT_FALSE(a.empty());

  std::vector<std::string> expected = header(text, "expect");
  std::vector<std::string> got;
  for (const auto& m : messages()) got.push_back(m.code);
  std::sort(expected.begin(), expected.end());
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, expected) << name;
}

INSTANTIATE_TEST_SUITE_P(Preprocessor, Corpus, ::testing::ValuesIn(corpusFiles()), [](const auto& info) {
  std::string n = info.param.substr(0, info.param.size() - 2);
  std::replace(n.begin(), n.end(), '-', '_');
  return n;
});

// A large macro table: tens of thousands of names, used through one another,
// some undefined, some of those defined again.
TEST(LargeMacroTable, SameTokensAsGcc) {
  if (!fs::exists(kGcc)) GTEST_SKIP() << "no gcc on this host";
  constexpr int n = 10000;
  auto name = [](const char* prefix, int i) { return prefix + std::to_string(i); };
  std::string text;
  for (int i = 0; i < n; ++i)
    text += "#define " + name("M", i) + "(x) ((x) + " + name("N", i * 7 % n) + ")\n#define " + name("N", i) + " " +
            std::to_string(i) + "\n";
  for (int i = 0; i < n; i += 3) text += "#undef " + name("N", i) + "\n";
  for (int i = 0; i < n; i += 6) text += "#define " + name("N", i) + " (-" + std::to_string(i) + ")\n";
  for (int i = 0; i < n; ++i) text += name("M", i) + "(" + name("N", n - 1 - i) + ")\n";
  text += "#if defined N3 || !defined N6\nwrong\n#endif\n";
  fresh();
  std::vector<std::string> ours = tokens(run(text));
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(difference(ours, tokens(gccOutput({"-x", "c"}, "-", text))), "");
  EXPECT_GT(ours.size(), static_cast<std::size_t>(n) * 7);
}

// ---------------------------------------------------------------- differences

class Difference : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kGcc)) GTEST_SKIP() << "no gcc on this host";
  }
};

// Texts that give other tokens here than with gcc, on purpose.
TEST_F(Difference, TokensAgainstGcc) {
  const struct {
    const char* text;
    const char* language;
    const char* ours;
    const char* gcc;  // nullptr: only other than ours
    const char* codes;
  } cases[] = {
      // gcc: an object-like macro whose text starts with "[a]".
      {"#define F[a] a+1\nF[2]\n", "c", "2 + 1 ", nullptr, ""},
      {"#ifdef __cplusplus\ncpp\n#else\nc\n#endif\n", "c++", "c ", "cpp ", ""},
      {"ZNT_WIN32 USE_ZNU ZNT_CPLUSPLUS_LANGUAGE __STDC_VERSION__\n", "c", "1 1 1 __STDC_VERSION__ ", nullptr, ""},
      {"#define q(x) [x]\nq()\n", "c", "[ ] ", "[ ] ", "NOARTOMAC"},  // the same, with a warning
      {"#pragma pack(1)\nx\n", "c", "x ", nullptr, ""},                 // pragma lines are consumed
      {"?" "?=define T 1\nT\n", "c", "1 ", nullptr, ""},               // trigraphs always replaced
      {"a<:1:> \"<%%>\"\n", "c", "a [ 1 ] \"{}\" ", "a < : 1 : > \"<%%>\" ", ""},  // digraphs even in literals
  };
  for (const auto& c : cases) {
    fresh();
    const std::string ours = join(tokens(run(c.text)));
    EXPECT_EQ(codes(), c.codes) << c.text;
    const std::string gcc = join(tokens(gccOutput({"-x", c.language}, "-", c.text)));
    EXPECT_EQ(ours, c.ours) << c.text;
    if (c.gcc) EXPECT_EQ(gcc, c.gcc) << c.text;
    else EXPECT_NE(gcc, ours) << c.text;
  }
}

TEST_F(Difference, LineMarkersAreLineDirectives) {
  fresh();
  std::string ours = run("a\n#define X\n\n\n\n\n\n\n\n\nb\n", "m.c");
  EXPECT_EQ(ours, "#line 1 \"m.c\"\na\n#line 11 \"m.c\"\nb\n");
  testkit::Result r = testkit::run({kGcc, "-E", "-undef", "-nostdinc", "-x", "c", "-"}, {}, corpus(),
                                   "a\n#define X\n\n\n\n\n\n\n\n\nb\n");
  EXPECT_NE(r.out.find("# 11 \"<stdin>\""), std::string::npos) << r.out;
}

TEST_F(Difference, QuotedIncludeSearchesTheChainBeforeTheIncluderDirectory) {
  testkit::ScratchDir d;
  d.write("chain/h.h", "from_chain\n");
  d.write("src/h.h", "from_includer\n");
  d.write("src/main.c", "#include \"h.h\"\n");
  fresh({}, {d.file("chain")});
  std::string ours = flat(run("#include \"h.h\"\n", d.file("src/main.c")));
  testkit::Result r = testkit::run({kGcc, "-E", "-P", "-I", d.file("chain"), d.file("src/main.c")});
  EXPECT_EQ(ours, "from_chain");
  EXPECT_NE(r.out.find("from_includer"), std::string::npos);
}

TEST_F(Difference, UnbalancedElseIsAWarningNotAnError) {
  fresh();
  std::string ours = flat(run("#if 1\na\n#else\nb\n#else\nc\n#endif\n"));
  EXPECT_EQ(ours, "a");
  testkit::Result r = testkit::run({kGcc, "-E", "-P", "-x", "c", "-"}, {}, corpus(),
                                   "#if 1\na\n#else\nb\n#else\nc\n#endif\n");
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(codes(), "ELIFAELSE MATCHLINE");
}

}  // namespace
