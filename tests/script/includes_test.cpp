// CONST, INCLUDE and DEFINE STRUCTURE: small scripts with the exact messages
// each must give (on the line after the statement, where the reader stands
// once it knows the statement is not continued), and nothing else.
#include <gtest/gtest.h>

#include <filesystem>

#include "script_runner.h"

using scripttest::analyse;
using scripttest::brief;
using scripttest::joined;
using scripttest::Options;

namespace {

struct Case {
  const char* name;
  std::string script;
  std::vector<std::string> expected;
};

// A program whose head holds `head` and whose one element holds `element`.
std::string program(const std::string& head, const std::string& element = "VAR x, int, INIT = 1, EV = 1\n",
                    const std::string& service = "") {
  return "HEADER m, 1, x\nBEGIN\n" + head + "SERVICE s\n" + service + "TEST t\nFAMILY f\nELEMENT\n" + element +
         "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";
}

// Two include directories; the second holds counter.h.
Options withIncludes() {
  const std::string first = scripttest::scratchDir() + "/inc1";
  const std::string second = scripttest::scratchDir() + "/inc2";
  std::filesystem::create_directories(first);
  std::filesystem::create_directories(second);
  scripttest::writeFile("inc2/counter.h", "int counter;\ntypedef struct { int a; } pair_t;\n");
  Options o;
  o.includeDirectories = {first, second};
  return o;
}

std::vector<Case> cases() {
  return {
      {"constant before the first service names a value",
       program("CONST N = 3\n", "VAR x, int, INIT = N, EV = N + 0\n"), {}},
      {"constant after a service", program("", "VAR x, int, INIT = 1, EV = 1\n", "CONST N = 3\n"),
       {"E:FORWCONST:5"}},
      {"constant without equal sign", program("CONST N 3\n"), {"E:EGALABSEN:4", "I:LIGNERRON:4"}},
      {"constant without name", program("CONST = 3\n"), {"E:SYNTAXERO:4"}},
      {"constant without value", program("CONST N =\n"), {"E:SYNTAXERO:4"}},
      {"included code found in the second directory is analysed",
       program("INCLUDE CODE counter.h\n", "VAR counter, INIT = 1, EV = 1\n"), {}},
      {"messages after included code carry the script's lines",
       program("INCLUDE CODE counter.h\nCONST = 3\n"), {"E:SYNTAXERO:5"}},
      {"included code not found", program("INCLUDE CODE nosuch.h\n"), {"E:FICINCINC:4"}},
      {"included segment refused", program("INCLUDE SEGMENT seg\n"), {"W:STXMETAIN:4"}},
      {"structure with typed fields",
       program("INCLUDE CODE counter.h\nDEFINE STRUCTURE rec\nFIELD a = int\nFIELD p = pair_t\nEND DEFINE\n"), {}},
      {"structure defined twice",
       program("DEFINE STRUCTURE rec\nFIELD a = int\nEND DEFINE\nDEFINE STRUCTURE rec\nFIELD a = int\nEND DEFINE\n"),
       {"E:DUPSTRNAM:7"}},
      {"field named twice", program("DEFINE STRUCTURE rec\nFIELD a = int\nFIELD a = long\nEND DEFINE\n"),
       {"E:DUPNOMCHP:6"}},
      {"field of an unknown type", program("DEFINE STRUCTURE rec\nFIELD a = nosuch_t\nEND DEFINE\n"),
       {"E:TYPEINCON:5", "W:BLSTRVIDE:6"}},
      {"field without type", program("DEFINE STRUCTURE rec\nFIELD a\nFIELD b = int\nEND DEFINE\n"),
       {"E:STXERRTYP:5"}},
      {"structure without fields", program("DEFINE STRUCTURE rec\nEND DEFINE\n"), {"W:BLSTRVIDE:5"}},
      {"structure without name", program("DEFINE STRUCTURE\nFIELD a = int\nEND DEFINE\n"), {"W:STRUCTNOM:4"}},
      {"aggregate flag refused", program("DEFINE STRUCTURE rec AGGREGATE\nFIELD a = int\nEND DEFINE\n"),
       {"W:STXMETAIN:4"}},
      {"field outside a structure", program("FIELD a = int\n"), {"W:MOTCLEABS:4"}},
  };
}

class IncludeCases : public ::testing::TestWithParam<Case> {};

TEST_P(IncludeCases, GivesExactlyTheseMessages) {
  const Case& c = GetParam();
  const auto got = brief(analyse(c.script, withIncludes()));
  EXPECT_EQ(joined(got), joined(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, IncludeCases, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string n;
                           for (const char* p = info.param.name; *p; ++p)
                             n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return n;
                         });

}  // namespace
