// The C++ dialect of the analysed code. `Classic` is the language as the
// compiler has always read it: no `__cplusplus`, the 64 classic keywords, the
// classic standard definitions. The others follow the ISO standard of their
// year (keywords, predefined macros, digraph and trigraph rules).
#pragma once

#include <string>

namespace zenta::analyser {

enum class Dialect { Classic = 0, Cxx11, Cxx14, Cxx17, Cxx20, Cxx23 };

Dialect dialect();                 // Classic until set
void setDialect(Dialect d);

// True when the current dialect is at least `d` (Classic is below Cxx11).
inline bool dialectAtLeast(Dialect d) { return static_cast<int>(dialect()) >= static_cast<int>(d); }

// The value of `__cplusplus` in a dialect (201103L ... 202302L); 0 for Classic.
long cplusplusValue(Dialect d);

// "C++11" ... "C++23" from a name such as "C++17", "c++17", "CPP17" or
// "c++2a"; false when the text names no dialect. Plain "C++" gives Classic.
bool dialectFromName(const std::string& name, Dialect* out);

// The canonical name, "C++" for Classic, "C++17" for Cxx17.
std::string dialectName(Dialect d);

}  // namespace zenta::analyser
