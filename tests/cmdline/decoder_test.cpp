// The generic decoder, driven by the compiler's command table: name matching,
// values, option files, environment references and every message line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <new>
#include <string>
#include <vector>

#include "cmdline/decoder.h"
#include "cmdline/options.h"
#include "tests/cmdline/cmdline_testing.h"
#include "tests/testkit/process.h"
#include "tests/testkit/ts_file.h"

namespace zenta::cmdline {
namespace {

using testing_support::expectedLine;
using testing_support::EnvGuard;

// Position of an option in the compiler's table (1-based).
constexpr int kLanguage = 1;
constexpr int kTest = 6;
constexpr int kRestriction = 20;
constexpr int kSyscomp = 21;
constexpr int kFast = 25;
constexpr int kXt = 43;

struct Decoded {
  int status = 0;
  Decoder decoder{compilerCommand()};
  std::string lines;  // everything written to the error sink
};

std::unique_ptr<Decoded> decodeArgs(std::vector<std::string> args) {
  auto d = std::make_unique<Decoded>();
  d->decoder.setErrorSink([p = d.get()](const std::string& l) { p->lines += l; });
  args.insert(args.begin(), "zentaprepro");
  d->status = d->decoder.decode(args);
  return d;
}

std::vector<std::string> texts(const std::vector<Value>& values) {
  std::vector<std::string> out;
  for (const Value& v : values) out.push_back(v.text);
  return out;
}

// "index:value|value" of an option (by its English name) after decoding.
std::string state(Decoder& d, const std::string& name) {
  const auto& options = d.descriptor().options;
  int position = 0;
  while (position < static_cast<int>(options.size()) && options[position].names[2] != name) ++position;
  std::string s = std::to_string(d.optionIndex(name.c_str())) + ":";
  for (const Value& v : d.optionValues(position + 1)) s += (s.back() == ':' ? "" : "|") + v.text;
  return s;
}

TEST(DecoderMatching, NamesValuesAndDefaults) {
  const std::tuple<std::vector<std::string>, const char*, const char*> cases[] = {
      // Prefixes, case, any column and either prefix character select one option.
      {{"-LANG=C++"}, "LANGUAGE", "1:C++"}, {{"-lang=C++"}, "LANGUAGE", "1:C++"},
      {{"-LANGAGE=C++"}, "LANGUAGE", "1:C++"}, {{"/LANGUAGE=C++"}, "LANGUAGE", "1:C++"},
      {{"-Langu=C++"}, "LANGUAGE", "1:C++"},
      // An exact name wins over longer names it prefixes (E of EXTEST...).
      {{"-E=5"}, "E", "44:5"}, {{"-DEFINE=X"}, "DEFINE", "13:X"}, {{"-DEFINE=X"}, "STD_DEFINE", "0:"},
      {{"-SYSTEM"}, "SYSTEM", "23:"},
      // Negated forms; not given, a negatable option is negated, FAST
      // (default on) given, a plain option absent, SYSCOMP on its default.
      {{"-NOFAST"}, "FAST", "-25:"}, {{"-nocomm"}, "COMMAND", "-18:"}, {{}, "FAST", "25:"}, {{}, "SS", "-24:"},
      {{}, "NOEDIT", "0:"}, {{}, "SYSCOMP", "0:NT"},
      // Lists accumulate over repeats and keep escaped separators.
      {{"-TEST=a", "-TEST=b\\,c,d"}, "TEST", "6:a|b,c|d"}, {{"-XT=3,12", "-XT=0"}, "XT", "43:3|12|0"},
      // Allowed values match by unique prefix and are stored by their English name.
      {{"-RESTR=kr,ANS,noexc"}, "RESTRICTION", "20:KR|ANSI|NOEXCEP"}, {{"-SYSCOMP=u"}, "SYSCOMP", "21:UNIX"},
  };
  for (const auto& [options, name, expected] : cases) {
    std::vector<std::string> args = {"t.ptu", "t.cc"};
    args.insert(args.end(), options.begin(), options.end());
    auto d = decodeArgs(args);
    ASSERT_EQ(d->status, 0) << d->lines;
    EXPECT_EQ(state(d->decoder, name), expected) << name;
  }
  auto d = decodeArgs({"t.ptu", "t.cc", "-RESTR=kr,ANS,noexc"});
  EXPECT_TRUE(d->decoder.descriptor().options[kRestriction - 1].allowed[2].selected);
  EXPECT_FALSE(d->decoder.descriptor().options[kRestriction - 1].allowed[1].selected);
}

TEST(DecoderValues, IntegersParseLikeAtoiAndSaturate) {
  auto d = decodeArgs({"t.ptu", "t.cc", "-E=12abc", "-W=+7"});
  ASSERT_EQ(d->status, 0) << d->lines;
  EXPECT_EQ(d->decoder.optionValue(44, 1)->number, 12);
  EXPECT_EQ(d->decoder.optionValue(45, 1)->number, 7);
  auto big = decodeArgs({"t.ptu", "t.cc", "-E=99999999999999999999999999"});
  EXPECT_EQ(big->decoder.error().message, MsgValueTooLarge);
  auto neg = decodeArgs({"t.ptu", "t.cc", "-E=-99999999999999999999999999"});
  EXPECT_EQ(neg->decoder.error().message, MsgValueTooSmall);
}

TEST(DecoderPositionals, SlashPathsThatMatchNoOptionArePositionals) {
  auto d = decodeArgs({"/work/t.ptu", "/tmp/out/t.cc", "/results"});
  ASSERT_EQ(d->status, 0) << d->lines;
  EXPECT_EQ(d->decoder.positionalValue(1, 1)->text, "/work/t.ptu");
  EXPECT_EQ(d->decoder.positionalValue(2, 1)->text, "/tmp/out/t.cc");
  EXPECT_EQ(d->decoder.positionalValue(3, 1)->text, "/results");
  EXPECT_EQ(d->decoder.positionalValue(4, 1), nullptr);
  EXPECT_EQ(d->decoder.positionalValue(3, 2), nullptr);
}

// One case per decoder message: the arguments and the exact offending text.
struct MessageCase {
  std::vector<std::string> args;
  int message;
  std::string offending;
};

TEST(DecoderMessages, EachMessageHasItsExactLine) {
  const std::string tooLong = "-TARGET=" + std::string(256, 'x');
  const std::vector<MessageCase> cases = {
      {{"t.ptu", "t.cc", "-E=0"}, MsgValueTooSmall, "-E=0"},
      {{"t.ptu", "t.cc", "-E=300"}, MsgValueTooLarge, "-E=300"},
      {{"t.ptu", "t.cc", "-TEST=a,,b"}, MsgLengthTooSmall, "-TEST=a,,b"},
      {{"t.ptu", "t.cc", tooLong}, MsgLengthTooLarge, tooLong},
      {{"t.ptu", "t.cc", "dir", "extra"}, MsgTooManyArguments, "extra"},
      {{"a,b", "t.cc"}, MsgArgumentListForbidden, "a,b"},
      {{"t.ptu", "t.cc", "-FOO"}, MsgUnknownOption, "-FOO"},
      {{"t.ptu", "t.cc", "-FASTER"}, MsgInvalidCharacter, "-FASTER"},
      {{"t.ptu", "t.cc", "-FAST", "-NOFAST"}, MsgOptionTwice, "-NOFAST"},
      {{"t.ptu", "t.cc", "-VERSION"}, MsgMandatoryArgument, "-VERSION"},
      {{"t.ptu", "t.cc", "-SYSCOMP="}, MsgMandatoryArgument, "-SYSCOMP=UNIX|OS2|DOS|VMS|NT"},
      {{"t.ptu", "t.cc", "-FAST=yes"}, MsgNoArgument, "-FAST=yes"},
      {{"t.ptu", "t.cc", "-NOCOMMAND=x"}, MsgNoArgument, "-NOCOMMAND=x"},
      {{"t.ptu", "t.cc", "-VERSION=1,2"}, MsgOptionListForbidden, "-VERSION=1,2"},
      {{"t.ptu"}, MsgArgumentMissing, "generated_file"},
      {{}, MsgArgumentMissing, "test_script_file"},
      {{"t.ptu", "t.cc", "-EX=1"}, MsgAmbiguousOption, "-EX=1"},
      {{"t.ptu", "t.cc", "-NOS"}, MsgAmbiguousOption, "-NOS"},
      {{"t.ptu", "t.cc", "-SYSCOMP=LINUX"}, MsgUnknownValue, "-SYSCOMP=LINUX"},
      {{"t.ptu", "t.cc", "-RESTRICTION=NO"}, MsgAmbiguousValue, "-RESTRICTION=NO"},
      {{"t.ptu", "t.cc", "-SS", "-SYSTEM"}, MsgIllegalCombination, "SS and SYSTEM"},
      {{"t.ptu", "t.cc", "-SERVICE=a", "-EXSERVICE=b"}, MsgIllegalCombination, "SERVICE and EXSERVICE"},
      {{"t.ptu", "t.cc", "-TEST=a", "-EXTEST=b"}, MsgIllegalCombination, "TEST and EXTEST"},
      {{"t.ptu", "t.cc", "@/nonexistent/opts"}, MsgFileNotFound, "/nonexistent/opts"},
      {{"t.ptu", "t.cc", "-option=/nonexistent/o2"}, MsgFileNotFound, "/nonexistent/o2"},
  };
  for (const MessageCase& c : cases) {
    auto d = decodeArgs(c.args);
    SCOPED_TRACE(c.offending);
    EXPECT_NE(d->status, 0);
    EXPECT_EQ(d->decoder.error().message, c.message);
    EXPECT_EQ(d->lines, expectedLine(decoderMessageText(c.message), c.offending));
    // The header word of every line is the decoder's "Command analysis".
    EXPECT_EQ(d->lines.rfind(std::string("Quartolab ") + decoderMessageText(MsgCommandAnalysis) + " : ", 0), 0u);
  }
}

TEST(DecoderMessages, QueriesUsageAndNegatedCombinations) {
  // Negated states count only in positive form for combinations.
  auto d = decodeArgs({"t.ptu", "t.cc", "-NOSS", "-SYSTEM"});
  ASSERT_EQ(d->status, 0) << d->lines;
  EXPECT_EQ(d->decoder.optionIndex("NOPE"), 0);
  EXPECT_EQ(d->decoder.error().message, MsgBadOptionName);
  EXPECT_EQ(d->lines, expectedLine("Internal error, bad option name", "NOPE"));
  // The usage loses only its XT line.
  auto bad = decodeArgs({"t.ptu", "t.cc", "-FOO"});
  EXPECT_EQ(bad->lines.find("-XT"), std::string::npos);
  EXPECT_NE(bad->lines.find("\t[-LEARN|-NOLEARN]\n\n"), std::string::npos);
  EXPECT_EQ(bad->lines.substr(bad->lines.size() - 3), "]\n\n");
}

// Every message has its French text in the "CAB" context of the translation
// source, so a French run never falls back to English mid-line.
TEST(DecoderMessages, EveryMessageIsTranslated) {
  const auto ts = testkit::readTs(std::string(ZENTA_SOURCE_DIR) + "/translations/cab_fr.ts");
  for (int number = 0; number < DecoderMessageCount; ++number) {
    const std::string text = decoderMessageText(number);
    ASSERT_FALSE(text.empty()) << number;
    const auto it = ts.find({"CAB", text, ""});
    ASSERT_NE(it, ts.end()) << "message " << number << " \"" << text << "\" has no French text";
    EXPECT_FALSE(it->second.empty()) << text;
    EXPECT_NE(it->second, text) << text;
  }
}

// The decoder's allocations fail once, at a chosen allocation.
int gFailAllocationIn = -1;

}  // namespace
}  // namespace zenta::cmdline

void* operator new(std::size_t size) {
  int& countdown = zenta::cmdline::gFailAllocationIn;
  if (countdown == 0) {
    countdown = -1;
    throw std::bad_alloc();
  }
  if (countdown > 0) --countdown;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace zenta::cmdline {
namespace {

TEST(DecoderMessages, MemoryExhaustionIsReportedNotFatal) {
  int reported = 0;
  for (int at = 0; at < 200; ++at) {
    Decoder decoder(compilerCommand());
    std::string lines;
    decoder.setErrorSink([&](const std::string& l) { lines += l; });
    const std::vector<std::string> args = {"zentaprepro", "t.ptu", "t.cc", "-TEST=a,b,c", "-XT=3"};
    gFailAllocationIn = at;
    const int status = decoder.decode(args);
    const bool failed = gFailAllocationIn == -1;
    gFailAllocationIn = -1;
    if (!failed) {
      EXPECT_EQ(status, 0);
      continue;
    }
    ++reported;
    EXPECT_NE(status, 0);
    EXPECT_EQ(decoder.error().message, MsgNoMemory);
    EXPECT_EQ(lines.rfind("Quartolab Command analysis: No memory left\nUsage zentaprepro :", 0), 0u) << lines;
  }
  EXPECT_GE(reported, 4);
}

// ---------------------------------------------------------------------------
// Environment references

TEST(DecoderEnvironment, DollarAndPercentReferences) {
  EnvGuard a("ZCMD_A", "alpha"), b("ZCMD_B", "beta"), unset("ZCMD_UNSET", std::nullopt), empty("ZCMD_E", ""),
      loop("ZCMD_LOOP", "$ZCMD_LOOP%ZCMD_LOOP%");
  const std::pair<std::string, std::string> cases[] = {
      {"$ZCMD_A", "alpha"},          {"x$ZCMD_A/y", "xalpha/y"},     {"%ZCMD_B%.ptu", "beta.ptu"},
      {"$ZCMD_A%ZCMD_B%", "alphabeta"}, {"$ZCMD_UNSET/x", "$ZCMD_UNSET/x"}, {"%ZCMD_UNSET%", "%ZCMD_UNSET%"},
      {"50% of $", "50% of $"},      {"$ZCMD_E|", "|"},              {"%ZCMD_A", "%ZCMD_A"},
      {"%%", "%%"},
      {"$ZCMD_LOOP", "$ZCMD_LOOP%ZCMD_LOOP%"},  // substituted text is not expanded again
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Decoder::expandEnvironment(in), out) << in;
}

TEST(DecoderEnvironment, ArgumentsAreExpandedBeforeAnalysis) {
  EnvGuard a("ZCMD_SCRIPT", "my.ptu"), t("ZCMD_TESTS", "t1,t2");
  auto d = decodeArgs({"$ZCMD_SCRIPT", "out.cc", "-TEST=%ZCMD_TESTS%"});
  ASSERT_EQ(d->status, 0) << d->lines;
  EXPECT_EQ(d->decoder.positionalValue(1, 1)->text, "my.ptu");
  EXPECT_EQ(texts(d->decoder.optionValues(kTest)), (std::vector<std::string>{"t1", "t2"}));
}

// ---------------------------------------------------------------------------
// Option files

// Option files: comments, quotes, continuations, escapes, NUL bytes and
// environment references at every nesting level; "@" inside a file is no
// option file.
TEST(DecoderOptionFiles, Contents) {
  testkit::ScratchDir dir;
  EnvGuard d1("ZCMD_DIR", dir.path().string()), s("ZCMD_SVC", "svc1"), inner("ZCMD_INNER", "inner");
  dir.write("inner", "-SERVICE=$ZCMD_SVC,\"$ZCMD_NOT_SET_AT_ALL\"\n@literal\n");
  const std::tuple<std::string, std::vector<std::string>, std::vector<std::string>, bool> cases[] = {
      {"# a comment line -FOO\n   # an indented comment\nt.ptu   \"my out.cc\"\r\n-TEST=a,\\\nb -VERSION=v#1\n"
       "\t-TARGET=\"x  y\"\n",
       {"@" + dir.file("f")}, {"t.ptu", "my out.cc", "-TEST=a,b", "-VERSION=v#1", "-TARGET=x  y"}, true},
      {"-TEST=a\\,b \\\"q\\\" end\\", {"t.ptu", "t.cc", "-OPTION=" + dir.file("f")},
       {"t.ptu", "t.cc", "-TEST=a\\,b", "\\\"q\\\"", "end\\"}, false},  // too many positionals
      {std::string("t.ptu\0t.cc \"-TEST=a\0b", 21), {"@" + dir.file("f")}, {"t.ptu", "t.cc", "-TEST=ab"}, true},
      {"t.ptu t.cc -option=$ZCMD_DIR/%ZCMD_INNER%\n", {"@$ZCMD_DIR/f"},
       {"t.ptu", "t.cc", "-SERVICE=svc1,$ZCMD_NOT_SET_AT_ALL", "@literal"}, true},
  };
  for (const auto& [content, args, expanded, decodes] : cases) {
    dir.write("f", content);
    auto d = decodeArgs(args);
    std::vector<std::string> expected = expanded;
    expected.insert(expected.begin(), "zentaprepro");
    EXPECT_EQ(d->decoder.expandedArguments(), expected);
    EXPECT_EQ(d->status == 0, decodes) << d->lines;
  }
  auto d = decodeArgs({"@" + dir.file("f")});  // the last case: "@literal" is a third positional
  EXPECT_EQ(d->status, 0) << d->lines;
  EXPECT_EQ(d->decoder.positionalValue(3, 1)->text, "@literal");
  EXPECT_EQ(texts(d->decoder.optionValues(kTest)), std::vector<std::string>{});
}

TEST(DecoderOptionFiles, RecursionDepthAndSizeAreRefused) {
  testkit::ScratchDir dir;
  dir.write("self", "-TEST=a -option=" + dir.file("self") + "\n");
  auto self = decodeArgs({"t.ptu", "t.cc", "@" + dir.file("self")});
  EXPECT_EQ(self->decoder.error().message, MsgOptionFileRecursive);
  EXPECT_EQ(self->lines, expectedLine("Option file refers to itself,", dir.file("self")));

  dir.write("a", "-option=" + dir.file("b"));
  dir.write("b", "-OPTION=" + dir.file("a"));
  auto cycle = decodeArgs({"t.ptu", "t.cc", "@" + dir.file("a")});
  EXPECT_EQ(cycle->decoder.error().message, MsgOptionFileRecursive);

  // A chain of distinct files one level deeper than allowed.
  const int levels = Decoder::kMaxOptionFileDepth + 1;
  for (int i = 0; i < levels; ++i)
    dir.write("n" + std::to_string(i), i + 1 < levels ? "-option=" + dir.file("n" + std::to_string(i + 1)) : "x");
  auto deep = decodeArgs({"t.ptu", "t.cc", "@" + dir.file("n0")});
  EXPECT_EQ(deep->decoder.error().message, MsgOptionFileTooDeep);
  EXPECT_EQ(deep->lines, expectedLine("Option files nested too deeply,", dir.file("n16")));
  // One level less is accepted.
  auto ok = decodeArgs({"t.ptu", "t.cc", "@" + dir.file("n1")});
  EXPECT_EQ(ok->status, 0) << ok->lines;

  dir.write("huge", std::string(Decoder::kMaxOptionFileBytes + 10, ' '));
  auto huge = decodeArgs({"t.ptu", "t.cc", "@" + dir.file("huge")});
  EXPECT_EQ(huge->decoder.error().message, MsgOptionFileTooLarge);
}

TEST(DecoderOptionFiles, DirectoriesAndDevicesAreNotOptionFiles) {
  testkit::ScratchDir dir;
  for (const std::string& name : {dir.path().string(), std::string("/dev/zero"), std::string("")}) {
    auto bad = decodeArgs({"t.ptu", "t.cc", "@" + name});
    EXPECT_EQ(bad->decoder.error().message, MsgFileNotFound) << name;
  }
}

}  // namespace
}  // namespace zenta::cmdline
