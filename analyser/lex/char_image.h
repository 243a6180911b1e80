// The C text of a character value, as a character constant is written back
// into generated code and expression images.
#pragma once

#include <cstdint>
#include <string>

namespace zenta::analyser::lex {

// A printable character (codes 32 to 126) other than the quotes and the
// backslash between single quotes; 0, 8, 12, 10, 13, 9, 11 and the quotes and
// backslash as their named escapes; any other value as an octal escape:
// three digits when the first is not zero ('\310'), else `\0` and the last
// two digits without leading zero ('\033', '\01'). A negative value is taken
// in the width of char (-1 is '\377' with 8-bit chars).
std::string charConstantImage(std::int64_t value);

}  // namespace zenta::analyser::lex
