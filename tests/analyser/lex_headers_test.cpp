// The declaration lexer over real preprocessed headers (the staged zentacpp
// on standard C and C++ headers), token by token against clang's own lexer
// on the same text (after the same line markers).
#include <cctype>
#include <filesystem>
#include <set>

#include "tests/analyser/lex_support.h"
#include "tests/testkit/process.h"

namespace lextest {
namespace {

struct Seen { std::string kind; std::string text; int line; std::string file; };

// The kind of token in clang's terms.
std::string kindOf(const Token& t) {
  switch (t.code) {
    case Tok::IntegerConstant:
    case Tok::FloatConstant: return "numeric_constant";
    case Tok::CharConstant: return t.constant.wide ? "wide_char_constant" : "char_constant";
    case Tok::StringLiteral: return t.constant.wide ? "wide_string_literal" : "string_literal";
    case Tok::Identifier: return "identifier";
    default: return isKeyword(t.code) ? std::string(t.text) : "punctuator";
  }
}

// Whether clang's kind agrees with ours. clang also knows the keywords of
// later standards, the alternative spellings of operators and its own
// built-in words (`__is_pod`); here they are identifiers.
bool sameKind(const Token& t, const std::string& theirs) {
  const std::string ours = kindOf(t);
  if (ours == theirs) return true;
  if (ours == "punctuator") return !std::isalpha(static_cast<unsigned char>(t.text[0]));
  static const std::set<std::string_view> later = {
      "alignas", "alignof", "char8_t", "char16_t", "char32_t", "concept", "consteval", "constexpr",
      "constinit", "co_await", "co_return", "co_yield", "decltype", "noexcept", "nullptr", "requires",
      "static_assert", "thread_local", "and", "and_eq", "bitand", "bitor", "compl", "not", "not_eq",
      "or", "or_eq", "xor", "xor_eq"};
  return ours == "identifier" && (t.text.starts_with("__") || later.count(t.text) != 0);
}

// clang -dump-tokens lines: kind 'spelling' [flags] Loc=<file:line:col>.
std::vector<Seen> clangTokens(const std::string& dump) {
  std::vector<Seen> r;
  std::size_t i = 0;
  while (i < dump.size()) {
    std::size_t nl = dump.find('\n', i);
    if (nl == std::string::npos) nl = dump.size();
    const std::string line = dump.substr(i, nl - i);
    i = nl + 1;
    const std::size_t q1 = line.find('\''), loc = line.rfind("Loc=<");
    if (line.rfind("eof ", 0) == 0 || q1 == std::string::npos || loc == std::string::npos) continue;
    const std::size_t q2 = line.rfind('\'', loc);
    const std::string where = line.substr(loc + 5, line.rfind('>') - loc - 5);
    const std::size_t c2 = where.rfind(':'), c1 = where.rfind(':', c2 - 1);
    r.push_back({line.substr(0, line.find(' ')), line.substr(q1 + 1, q2 - q1 - 1), std::stoi(where.substr(c1 + 1, c2 - c1 - 1)),
                 where.substr(0, c1)});
  }
  return r;
}

TEST(LexHeaders, PreprocessedStandardHeadersLexAsClangDoes) {
  const std::string clang = "/usr/bin/clang";
  if (!std::filesystem::exists(testkit::stageBin("zentacpp")) || !std::filesystem::exists(clang))
    GTEST_SKIP() << "zentacpp or clang missing";
  resetTargetWidths();
  testkit::ScratchDir d;
  // The standard-definitions file comes first, as in the compiler: its
  // `#pragma zenta sizeof long = 64` reaches the lexer before the headers.
  std::string text = "#include \"" + testkit::stageDir() + "/ana/znus_c.def\"\n";
  for (const char* h : {"stdio.h", "stdlib.h", "string.h", "string", "vector", "map", "list", "memory",
                        "stdexcept", "sstream", "algorithm"})
    text += std::string("#include <") + h + ">\n";
  d.write("all.cpp", text);
  const testkit::Result pp = testkit::run(
      {testkit::stageBin("zentacpp"), d.file("all.cpp")},
      {{"QUARTODIR", testkit::stageDir()}, {"ZNTTGT", testkit::stageDir()}, {"ZNUTGT", std::nullopt}});
  ASSERT_EQ(pp.status, 0) << pp.err.substr(0, 2000);
  ASSERT_GT(pp.out.size(), 100000u);

  messages().clear();
  const std::vector<Token> ours = declTokens(pp.out);
  EXPECT_EQ(codes(), "");
  EXPECT_EQ(targetWidth(BaseWidth::Long), 64);
  resetTargetWidths();

  d.write("all.ii", pp.out);
  const testkit::Result ref =
      testkit::run({clang, "-fsyntax-only", "-undef", "-w", "-Xclang", "-dump-tokens", "-x", "c++", d.file("all.ii")});
  ASSERT_EQ(ref.status, 0) << ref.err.substr(0, 2000);
  const std::vector<Seen> theirs = clangTokens(ref.err);

  // Same tokens of the same kinds, on the same lines of the same files: the
  // headers use nothing that today's C++ splits otherwise (`u8""`, `1'000`,
  // raw strings).
  ASSERT_GT(theirs.size(), 100000u);
  ASSERT_EQ(ours.size(), theirs.size());
  for (std::size_t i = 0; i < ours.size(); ++i) {
    const Token& a = ours[i];
    const Seen& b = theirs[i];
    ASSERT_TRUE(a.text == b.text && a.line == b.line && a.file.text() == b.file && sameKind(a, b.kind))
        << "token " << i << ": " << kindOf(a) << " " << a.text << " at " << a.file.text() << ":" << a.line << ", clang: " << b.kind << " " << b.text
        << " at " << b.file << ":" << b.line;
  }
}

}  // namespace
}  // namespace lextest
