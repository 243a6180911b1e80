// The value of an integer constant expression written in the script, such as
// a loop count: integer literals in any base and with any suffix, brackets,
// and the unary, binary and conditional operators of C++.
#pragma once

#include <string>

namespace zenta::generator {

// True when `text` is an integer constant expression whose value fits in a
// long long; its value is then stored. Names, floating and character
// literals, strings, overflow and division by zero make it false.
bool integerConstant(const std::string& text, long long& value);

}  // namespace zenta::generator
