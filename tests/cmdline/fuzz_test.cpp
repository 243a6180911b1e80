// Hostile command lines and option files: the decoder must end every run
// with success or one of its own messages, never a crash or a hang.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "cmdline/decoder.h"
#include "cmdline/options.h"
#include "tests/testkit/process.h"

namespace zenta::cmdline {
namespace {

const char* const kFragments[] = {
    "-",     "/",     "=",      ",",       "\\",     "\\,",   "NO",     "-NO",     "LANG",  "C++",  "-E=",
    "-W=",   "255",   "256",    "0",       "-1",     "-XT=",  "TEST",   "-TEST=",  "SERVICE", "EX", "-SS",
    "-FAST", "SYSCOMP", "=NT",  "RESTRICTION=", "KR", "ANSI",  "$HOME",  "%PATH%",  "$",     "%",    "\"",
    "@",     "-option=", "(",   ")",       "a",      "é",     "\xff",   "t.ptu",   " ",     "\t",   "COMMAND",
};

std::string randomBytes(std::mt19937& rng, std::size_t n) {
  std::string s(n, '\0');
  std::uniform_int_distribution<int> byte(0, 255);
  for (char& c : s) c = static_cast<char>(byte(rng));
  return s;
}

std::string randomArgument(std::mt19937& rng) {
  std::uniform_int_distribution<int> kind(0, 9);
  switch (kind(rng)) {
    case 0: return randomBytes(rng, rng() % 12);
    case 1: return "-" + std::string(rng() % 5000, static_cast<char>('A' + rng() % 26));
    default: {
      std::string s;
      const int parts = 1 + static_cast<int>(rng() % 5);
      for (int i = 0; i < parts; ++i) s += kFragments[rng() % (sizeof kFragments / sizeof kFragments[0])];
      return s;
    }
  }
}

int decodeQuietly(const std::vector<std::string>& args) {
  Decoder decoder(compilerCommand());
  std::string lines;
  decoder.setErrorSink([&](const std::string& l) { lines += l; });
  const int status = decoder.decode(args);
  const int message = decoder.error().message;
  if (status != 0) {
    EXPECT_GE(message, 0);
    EXPECT_LT(message, DecoderMessageCount);
    EXPECT_EQ(lines.rfind("Quartolab Command analysis", 0), 0u) << lines;
  } else {
    EXPECT_EQ(lines, "");
  }
  return status;
}

TEST(DecoderFuzz, RandomArgumentVectors) {
  std::mt19937 rng(20261205);
  int successes = 0, failures = 0;
  for (int run = 0; run < 3000; ++run) {
    std::vector<std::string> args = {"zentaprepro"};
    const int n = static_cast<int>(rng() % 8);
    for (int i = 0; i < n; ++i) args.push_back(randomArgument(rng));
    (decodeQuietly(args) == 0 ? successes : failures)++;
  }
  // The vocabulary reaches both outcomes.
  EXPECT_GT(failures, 100);
  EXPECT_GT(successes, 0);
}

TEST(DecoderFuzz, RandomOptionFiles) {
  std::mt19937 rng(77);
  testkit::ScratchDir dir;
  const auto start = std::chrono::steady_clock::now();
  for (int run = 0; run < 500; ++run) {
    std::string content;
    const int pieces = static_cast<int>(rng() % 20);
    for (int i = 0; i < pieces; ++i) {
      const std::string choices[] = {randomBytes(rng, rng() % 40), std::string(rng() % 3000, 'x'),
                                     "\n#" + randomArgument(rng) + "\n",
                                     "-option=" + dir.file("f" + std::to_string(rng() % 4)) + " ", "\\\n",
                                     randomArgument(rng) + (rng() % 2 ? " " : "\n")};
      content += choices[rng() % 6];
    }
    const std::string name = "f" + std::to_string(rng() % 4);
    dir.write(name, content);
    decodeQuietly({"zentaprepro", "t.ptu", "t.cc", "@" + dir.file(name)});
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(120));
}

}  // namespace
}  // namespace zenta::cmdline
