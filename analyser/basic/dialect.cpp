#include "analyser/basic/dialect.h"

#include <cctype>

namespace zenta::analyser {

namespace {
Dialect current = Dialect::Classic;
}

Dialect dialect() { return current; }
void setDialect(Dialect d) { current = d; }

long cplusplusValue(Dialect d) {
  switch (d) {
    case Dialect::Classic: return 0;
    case Dialect::Cxx11: return 201103L;
    case Dialect::Cxx14: return 201402L;
    case Dialect::Cxx17: return 201703L;
    case Dialect::Cxx20: return 202002L;
    case Dialect::Cxx23: return 202302L;
  }
  return 0;
}

bool dialectFromName(const std::string& name, Dialect* out) {
  std::string u;
  for (char c : name) u += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string year;
  if (u.rfind("C++", 0) == 0) year = u.substr(3);
  else if (u.rfind("CPP", 0) == 0) year = u.substr(3);
  else return false;
  struct Entry { const char* a; const char* b; Dialect d; };
  static const Entry table[] = {
      {"", "98", Dialect::Classic}, {"11", "0X", Dialect::Cxx11}, {"14", "1Y", Dialect::Cxx14},
      {"17", "1Z", Dialect::Cxx17}, {"20", "2A", Dialect::Cxx20}, {"23", "2B", Dialect::Cxx23}};
  for (const Entry& e : table) {
    if (year == e.a || year == e.b) {
      *out = e.d;
      return true;
    }
  }
  return false;
}

std::string dialectName(Dialect d) {
  switch (d) {
    case Dialect::Classic: return "C++";
    case Dialect::Cxx11: return "C++11";
    case Dialect::Cxx14: return "C++14";
    case Dialect::Cxx17: return "C++17";
    case Dialect::Cxx20: return "C++20";
    case Dialect::Cxx23: return "C++23";
  }
  return "C++";
}

}  // namespace zenta::analyser
