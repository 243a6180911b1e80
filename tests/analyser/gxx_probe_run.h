// Compares the classes and C type texts the analyser gives expressions with
// what g++ tells of their C++ types: a program made of the probe calls of
// gxx_class_probe.h, compiled with the same declarations, prints one line
// per call.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "analyser/sema/typing_class.h"
#include "tests/testkit/process.h"

namespace gxxprobe {

using zenta::analyser::TypeClass;

// The probe calls for our classes: the class of each expression, and
// whether its C type text names its type (a string's is "char *" whatever
// its spelling).
inline std::string probeCalls(const std::vector<std::string>& expressions, const std::vector<TypeClass>& ours) {
  std::string calls;
  for (std::size_t i = 0; i < expressions.size(); ++i) {
    const std::string n = std::to_string(i), e = expressions[i];
    calls += "  GXX_PROBE(" + n + ", " + e + ");\n";
    if (!ours[i].cType.empty() && ours[i].value != 4) calls += "  GXX_SAME(" + n + ", " + e + ", " + ours[i].cType + ");\n";
  }
  return calls;
}

// Compiles and runs `program` in the given standard; every line must agree
// with ours (the size of a structure is not compared).
inline void expectAgreement(const std::string& program, const std::string& standard,
                            const std::vector<std::string>& expressions, const std::vector<TypeClass>& ours) {
  testkit::ScratchDir dir;
  dir.write("probe.cpp", program);
  const testkit::Result built = testkit::run({"/usr/bin/g++", "-std=" + standard, "-w", "-I", ZENTA_SOURCE_DIR,
                                              "-o", dir.file("probe"), dir.file("probe.cpp")});
  ASSERT_EQ(built.status, 0) << built.err;
  const testkit::Result ran = testkit::run({dir.file("probe")});
  ASSERT_EQ(ran.status, 0);
  std::istringstream lines(ran.out);
  std::size_t probed = 0, named = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::size_t index = 0;
    std::string value, word, size;
    fields >> index >> value >> word >> size;
    ASSERT_LT(index, expressions.size()) << line;
    const std::string& text = expressions[index];
    const TypeClass& k = ours[index];
    if (word.empty()) {  // GXX_SAME: 1 when the type text names the type
      EXPECT_EQ(value, "1") << text << ": " << k.cType;
      ++named;
      continue;
    }
    EXPECT_EQ(k.value, std::stoi(value)) << text;
    EXPECT_EQ(k.word, word == "-" ? "" : word) << text;
    if (size != "*" && k.value != 8) {
      EXPECT_EQ(std::to_string(k.size), size) << text;
    }
    ++probed;
  }
  EXPECT_EQ(probed, expressions.size());
  EXPECT_GT(named, probed / 2);
}

}  // namespace gxxprobe
