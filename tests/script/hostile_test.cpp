// Hostile scripts end with a message and an exit status, never a crash or a
// hang.
#include <gtest/gtest.h>

#include <random>

#include "script_runner.h"

namespace {

TEST(Hostile, RandomBytesEndWithMessages) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 5; ++round) {
    std::string s;
    for (int i = 0; i < 20000; ++i) s += static_cast<char>(rng() & 0xff);
    const std::string path = scripttest::writeFile("random.ptu", s);
    EXPECT_EXIT(
        {
          scripttest::analyseFile(path);
          std::exit(40);
        },
        [](int status) { return WIFEXITED(status) && (WEXITSTATUS(status) == 40 || WEXITSTATUS(status) == 7); },
        "")
        << round;
  }
}

TEST(Hostile, NulBytesAndLongLines) {
  std::string s = "HEADER m, 1, x\nBEGIN\nSERVICE s";
  s += std::string(3, '\0');
  s += "\nTEST t\n";
  s += std::string(30000, 'x') + "\n";
  s += "VAR " + std::string(30000, 'y') + "\nEND SERVICE\n";
  const auto ms = scripttest::analyse(s);
  EXPECT_FALSE(ms.empty());
}

TEST(Hostile, DeeplyNestedIncludesAndSelfInclude) {
  const std::string dir = scripttest::scratchDir();
  const int depth = 150;
  for (int i = 0; i < depth; ++i) {
    std::string body = "COMMENT level " + std::to_string(i) + "\n";
    if (i + 1 < depth) body += "INCLUDE PTU " + dir + "/nest" + std::to_string(i + 1) + ".ptu\n";
    else body += "INCLUDE PTU " + dir + "/nest0.ptu\n";  // back to an open file
    scripttest::writeFile("nest" + std::to_string(i) + ".ptu", body);
  }
  const std::string main = scripttest::writeFile(
      "nestmain.ptu", "HEADER m, 1, x\nBEGIN\nINCLUDE PTU " + dir + "/nest0.ptu\nINCLUDE PTU " + dir +
                          "/nestmain.ptu\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
                          "END SERVICE\n");
  const auto ms = scripttest::analyseFile(main);
  int refused = 0;
  for (const auto& m : ms) refused += m.code == "LIGNTRAIT";
  EXPECT_EQ(refused, 2) << scripttest::joined(scripttest::brief(ms));
}

TEST(Hostile, MissingIncludeIsAnError) {
  const auto ms = scripttest::analyse("HEADER m, 1, x\nBEGIN\nINCLUDE PTU /nonexistent/x.ptu\nSERVICE s\nTEST t\n"
                                      "FAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n");
  EXPECT_EQ(scripttest::joined(scripttest::brief(ms)), "E:FICINCINC:4 ");
}

}  // namespace
